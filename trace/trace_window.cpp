#include "trace/trace_window.h"

#include "base/message_sink.h"
#include "text/trace_texts.h"
#include "trace/trace_file.h"
#include "trace/trace_model.h"
#include "trace/trace_rows.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Often enough to watch the live cycle, seldom enough to cost it nothing.
constexpr int kRefreshMs = 250;
constexpr qsizetype kBytesPerLine = 8;

QString markedHex(const QByteArray& bytes, qsizetype from, qsizetype to,
                  const std::vector<bool>& failing) {
    QString out;
    for (qsizetype i = from; i < to; ++i) {
        const bool bad = i < qsizetype(failing.size()) && failing[size_t(i)];
        const QString cell = i < bytes.size() ? hexByte(quint8(bytes[i])) : QStringLiteral("--");
        out += bad ? QStringLiteral("<span style=\"background:#ff9090\">%1</span> ").arg(cell)
                   : cell + QLatin1Char(' ');
    }
    // Short lines keep the received column in place.
    for (qsizetype i = to; i < from + kBytesPerLine; ++i)
        out += QStringLiteral("   ");
    return out;
}

} // namespace

TTraceWindow::TTraceWindow(QWidget* parent, const TraceRing& ring, const LinkStatistics& stats,
                           LanguageOf language)
    : QWidget(parent, Qt::Window), ring_(ring), statistics_(stats), language_(std::move(language)),
      model_(new TraceModel(ring, this)), refreshTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("TTraceWindow"));
    resize(760, 560);
    table = new QTableView(this);
    table->setModel(model_);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setColumnWidth(TraceModel::Time, 100);
    table->setColumnWidth(TraceModel::Exchange, 140);
    table->setColumnWidth(TraceModel::Length, 55);
    table->setColumnWidth(TraceModel::Duration, 130);

    detail = new QTextEdit(this);
    detail->setReadOnly(true);
    detail->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    statistics = new QLabel(this);
    statistics->setTextInteractionFlags(Qt::TextSelectableByMouse);
    saveButton = new QPushButton(this);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(table);
    splitter->addWidget(detail);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(statistics, 1);
    bottom->addWidget(saveButton, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);

    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showSelected(); });
    connect(saveButton, &QPushButton::clicked, this, &TTraceWindow::saveClicked);
    refreshTimer_->setInterval(kRefreshMs);
    connect(refreshTimer_, &QTimer::timeout, this, &TTraceWindow::refresh);
    relabel();
    refresh();
}

void TTraceWindow::relabel() {
    const std::optional<Language> language = language_();
    setWindowTitle(traceText(language, TraceText::WindowTitle));
    saveButton->setText(traceText(language, TraceText::SaveButton));
    model_->setLanguage(language);
    statistics->setText(statisticsLines(language, statistics_).join(QLatin1Char('\n')));
    showSelected();
}

void TTraceWindow::refresh() {
    // The view follows the newest row unless the user has scrolled away from it.
    QScrollBar* bar = table->verticalScrollBar();
    const bool atNewest = bar->value() >= bar->maximum();
    const int before = model_->rowCount();
    model_->refresh();
    if (atNewest && model_->rowCount() != before)
        table->scrollToBottom();
    statistics->setText(statisticsLines(language_(), statistics_).join(QLatin1Char('\n')));
}

void TTraceWindow::showSelected() {
    const QModelIndex current = table->currentIndex();
    const TraceEntry* entry = current.isValid() ? model_->entryAt(current.row()) : nullptr;
    if (!entry) {
        detail->clear();
        return;
    }
    detail->setHtml(detailHtml(language_(), *entry));
}

QString TTraceWindow::detailHtml(std::optional<Language> language, const TraceEntry& entry) {
    const TransferRecord& r = entry.record;
    const std::vector<bool> failing = failingBytes(r);
    QString html = QStringLiteral("<p>%1</p><pre>").arg(resultText(language, r).toHtmlEscaped());
    html += QStringLiteral("      %1%2\n")
                .arg(traceText(language, TraceText::Sent).leftJustified(3 * kBytesPerLine + 3),
                     traceText(language, TraceText::Received))
                .toHtmlEscaped();
    for (qsizetype line = 0; line < r.sent.size(); line += kBytesPerLine) {
        const qsizetype to = std::min(r.sent.size(), line + kBytesPerLine);
        html += QStringLiteral("%1  ").arg(line, 4);
        html += markedHex(r.sent, line, to, failing);
        html += QStringLiteral("   ");
        html += markedHex(r.received, line, to, failing);
        html += QLatin1Char('\n');
    }
    html += QStringLiteral("</pre><p><b>%1</b></p><pre>")
                .arg(traceText(language, TraceText::Items).toHtmlEscaped());
    for (const TelegramItem& item : itemsOf(entry))
        html += itemText(language, item).toHtmlEscaped() + QLatin1Char('\n');
    html += QStringLiteral("</pre>");
    return html;
}

void TTraceWindow::saveClicked() {
    const std::optional<Language> language = language_();
    const QString filter = traceText(language, TraceText::SaveFilter);
    const QString path =
        chooseSaveFile
            ? chooseSaveFile(filter)
            : QFileDialog::getSaveFileName(this, traceText(language, TraceText::WindowTitle),
                                           QStringLiteral("trace.txt"), filter);
    if (path.isEmpty())
        return;
    QString error;
    if (!saveTraceFile(path, traceFileText(language, ring_, statistics_), &error))
        showMessage(traceText(language, TraceText::SaveFailed).arg(path, error));
}

void TTraceWindow::showEvent(QShowEvent* event) {
    refresh();
    refreshTimer_->start();
    QWidget::showEvent(event);
}

void TTraceWindow::hideEvent(QHideEvent* event) {
    refreshTimer_->stop();
    QWidget::hideEvent(event);
}
