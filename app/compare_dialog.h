#pragma once
// The comparison window of the tools menu: every parameter a write sends, as the
// controller holds it beside the fields (or a parameter file), the rows that differ
// marked. Thin: the window fills it (parameters/compare_steps.cpp) and relabels it in
// the language of the moment.
#include "parameters/parameter_compare.h"
#include "text/info_table.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

class TCompareDialog : public QDialog {
    Q_OBJECT
public:
    explicit TCompareDialog(QWidget* parent);

    enum class Side { Fields = 0, File = 1 };

    QLabel* compareWith = nullptr;     // "Compare with:"
    QComboBox* side = nullptr;         // the fields | a parameter file
    QPushButton* chooseFile = nullptr; // shown with the file side
    QLabel* fileName = nullptr;        // the file compared with
    QTableWidget* table = nullptr;     // parameter | in the controller | in the fields or file
    QLabel* note = nullptr;            // how many differ, or why nothing is compared
    QPushButton* closeButton = nullptr;

    Side chosenSide() const;
    // Back to the fields (a file chooser cancelled before any file was chosen).
    void showFieldsSide();
    // The file compared with; empty while none is chosen.
    QString file() const { return file_; }
    void setFile(const QString& path);

    // Shows the rows with their captions; a row that differs is marked.
    void showRows(const QList<ParameterRow>& rows, const QStringList& captions,
                  const QString& noteText);
    // The rows shown, as compared.
    const QList<ParameterRow>& rows() const { return rows_; }

    // Every caption in the language.
    void relabel(std::optional<Language> language);

signals:
    // The technician chose the other side.
    void sideChanged();
    // The technician asks for a file.
    void fileRequested();

private:
    QList<ParameterRow> rows_;
    QString file_;
};
