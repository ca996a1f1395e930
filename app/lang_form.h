#pragma once
// The language chooser, shown at the first start (no language stored yet) so that the
// technician picks the interface language. Not modal: the main window stays usable.
#include <QDialog>

class QComboBox;
class QLabel;
class THauptfenster;

class Tlang_form : public QDialog {
    Q_OBJECT
public:
    explicit Tlang_form(THauptfenster* main);

    QLabel* Label1 = nullptr;       // "Please choose a language!"
    QComboBox* ComboBox1 = nullptr; // "German", "English"; shows "Language" until chosen

    // Takes the chosen entry as the language code and closes the chooser.
    void ComboBox1Click();

private:
    THauptfenster* main_;
};
