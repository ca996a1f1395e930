#include "app/compare_dialog.h"

#include "text/verify_texts.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// A differing row: a pale red ground, the values in bold, readable in every style.
const QColor kDiffering(255, 215, 215);

} // namespace

TCompareDialog::TCompareDialog(QWidget* parent) : QDialog(parent) {
    auto* layout = new QVBoxLayout(this);
    auto* chooser = new QHBoxLayout;
    compareWith = new QLabel(this);
    side = new QComboBox(this);
    side->addItems({QString(), QString()});
    chooseFile = new QPushButton(this);
    fileName = new QLabel(this);
    fileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chooser->addWidget(compareWith);
    chooser->addWidget(side);
    chooser->addWidget(chooseFile);
    chooser->addWidget(fileName, 1);
    layout->addLayout(chooser);

    table = new QTableWidget(0, 3, this);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->verticalHeader()->hide();
    // One line per parameter, so that all of them fit without scrolling.
    table->setWordWrap(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    layout->addWidget(table, 1);

    auto* bottom = new QHBoxLayout;
    note = new QLabel(this);
    note->setWordWrap(true);
    closeButton = new QPushButton(this);
    bottom->addWidget(note, 1);
    bottom->addWidget(closeButton, 0, Qt::AlignBottom);
    layout->addLayout(bottom);

    chooseFile->hide();
    fileName->hide();
    connect(side, &QComboBox::currentIndexChanged, this, [this] {
        chooseFile->setVisible(chosenSide() == Side::File);
        fileName->setVisible(chosenSide() == Side::File);
        if (chosenSide() == Side::File && file_.isEmpty())
            emit fileRequested();
        else
            emit sideChanged();
    });
    connect(chooseFile, &QPushButton::clicked, this, &TCompareDialog::fileRequested);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    resize(720, 540);
    relabel(std::nullopt);
}

TCompareDialog::Side TCompareDialog::chosenSide() const {
    return side->currentIndex() == int(Side::File) ? Side::File : Side::Fields;
}

void TCompareDialog::showFieldsSide() {
    side->setCurrentIndex(int(Side::Fields));
}

void TCompareDialog::setFile(const QString& path) {
    file_ = path;
    fileName->setText(QFileInfo(path).fileName());
    fileName->setToolTip(QDir::toNativeSeparators(path));
}

void TCompareDialog::showRows(const QList<ParameterRow>& rows, const QStringList& captions,
                              const QString& noteText) {
    rows_ = rows;
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const ParameterRow& row = rows[r];
        const QString cells[] = {captions.value(r), row.theirs, row.ours};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (row.differs) {
                item->setBackground(kDiffering);
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            table->setItem(r, c, item);
        }
    }
    note->setText(noteText);
}

void TCompareDialog::relabel(std::optional<Language> language) {
    const auto text = [language](VerifyText t) { return verifyText(language, t); };
    setWindowTitle(text(VerifyText::CompareTitle));
    compareWith->setText(text(VerifyText::CompareWith));
    side->setItemText(int(Side::Fields), text(VerifyText::SourceFields));
    side->setItemText(int(Side::File), text(VerifyText::SourceFile));
    chooseFile->setText(text(VerifyText::ChooseFile));
    closeButton->setText(text(VerifyText::Close));
    table->setHorizontalHeaderLabels(
        {text(VerifyText::ColumnParameter), text(VerifyText::ColumnController),
         text(chosenSide() == Side::File ? VerifyText::ColumnFile : VerifyText::ColumnFields)});
}
