#include "report/report_pdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

constexpr int kDotsPerInch = 300;

double mm(double millimetres) {
    return millimetres * kDotsPerInch / 25.4;
}

QFont font(double points, bool bold = false, bool italic = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// Lays the document out page by page. Run once without a painter to count the pages,
// then with one to paint them with "page n of m" in the footer.
class Layout {
public:
    Layout(QPdfWriter& writer, QPainter* painter, int pageCount)
        : writer_(writer), painter_(painter), pageCount_(pageCount), width_(writer.width()),
          bottom_(writer.height() - mm(12)) {}

    int run(const ReportDocument& doc) {
        title_ = doc.title;
        startPage();
        const QFont titleFont = font(18, true);
        const double titleHeight = QFontMetricsF(titleFont, &writer_).height();
        if (painter_) {
            painter_->setFont(titleFont);
            painter_->setPen(Qt::black);
            painter_->drawText(QRectF(0, y_, width_, titleHeight), Qt::AlignLeft, doc.title);
        }
        y_ += titleHeight + mm(1.5);
        if (painter_)
            painter_->fillRect(QRectF(0, y_, width_, mm(0.6)), QColor(40, 70, 120));
        y_ += mm(5);
        for (const ReportSection& section : doc.sections)
            addSection(section);
        addSignature(doc);
        endPage();
        return page_;
    }

private:
    struct Cell {
        QString text;
        double height;
    };

    double captionWidth() const { return width_ * 0.42; }
    double valueWidth() const { return width_ - captionWidth(); }
    double textHeight(const QFont& f, const QString& text, double width) const {
        const QRectF box = QFontMetricsF(f, &writer_)
                               .boundingRect(QRectF(0, 0, width - 2 * pad(), 1e6), Qt::TextWordWrap,
                                             text.isEmpty() ? "X" : text);
        return box.height() + 2 * pad();
    }
    static double pad() { return mm(1.2); }
    double rowHeight(const QFont& f, const ReportRow& row) const {
        return qMax(textHeight(f, row.caption, captionWidth()),
                    textHeight(f, row.value, valueWidth()));
    }

    void startPage() {
        ++page_;
        y_ = 0;
    }
    void endPage() {
        if (!painter_)
            return;
        const QFont f = font(8);
        painter_->setFont(f);
        painter_->setPen(QColor(90, 90, 90));
        const double h = QFontMetricsF(f, &writer_).height();
        const QRectF footer(0, writer_.height() - h, width_, h);
        painter_->drawLine(QPointF(0, footer.top() - mm(1.5)),
                           QPointF(width_, footer.top() - mm(1.5)));
        painter_->drawText(footer, Qt::AlignLeft, title_);
        painter_->drawText(footer, Qt::AlignRight,
                           pageText_.arg(page_).arg(pageCount_ > 0 ? pageCount_ : page_));
    }
    // Starts a new page unless `height` still fits on this one.
    void ensure(double height) {
        if (y_ + height <= bottom_ || y_ == 0)
            return;
        endPage();
        if (painter_)
            writer_.newPage();
        startPage();
    }

    void drawRow(const QFont& f, const ReportRow& row, double height, bool heading) {
        if (painter_) {
            painter_->setFont(f);
            painter_->setPen(heading ? QColor(60, 60, 60) : Qt::black);
            const QRectF caption(0, y_, captionWidth(), height);
            const QRectF value(captionWidth(), y_, valueWidth(), height);
            const auto inner = [](const QRectF& r) {
                return r.adjusted(pad(), pad(), -pad(), -pad());
            };
            painter_->drawText(inner(caption), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                               row.caption);
            painter_->drawText(inner(value), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                               row.value);
            painter_->setPen(QPen(QColor(200, 200, 200), mm(0.15)));
            painter_->drawLine(QPointF(0, y_ + height), QPointF(width_, y_ + height));
        }
        y_ += height;
    }

    void addSection(const ReportSection& section) {
        const QFont titleFont = font(11, true);
        const QFont body = font(9.5);
        const QFont headingFont = font(8.5, true);
        const double titleHeight = textHeight(titleFont, section.title, width_);
        const bool headed = !section.captionHeading.isEmpty() || !section.valueHeading.isEmpty();
        const ReportRow heading{section.captionHeading, section.valueHeading};
        const double headingHeight = headed ? rowHeight(headingFont, heading) : 0;
        // A section that fits on a page is kept whole; a longer one keeps its title with
        // its first row.
        const QFont noteFont = font(8.5, false, true);
        const double noteHeight =
            section.note.isEmpty() ? 0 : textHeight(noteFont, section.note, width_);
        double whole = titleHeight + headingHeight + noteHeight;
        for (const ReportRow& row : section.rows)
            whole += rowHeight(body, row);
        const double first = section.rows.isEmpty() ? 0 : rowHeight(body, section.rows.first());
        ensure(whole <= bottom_ ? whole : titleHeight + headingHeight + first);
        drawTitleBar(titleFont, section.title, titleHeight);
        if (headed)
            drawRow(headingFont, heading, headingHeight, true);
        for (const ReportRow& row : section.rows) {
            const double h = rowHeight(body, row);
            ensure(h);
            drawRow(body, row, h, false);
        }
        if (!section.note.isEmpty()) {
            ensure(noteHeight);
            if (painter_) {
                painter_->setFont(noteFont);
                painter_->setPen(QColor(60, 60, 60));
                painter_->drawText(
                    QRectF(0, y_, width_, noteHeight).adjusted(pad(), pad(), -pad(), -pad()),
                    Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, section.note);
            }
            y_ += noteHeight;
        }
        y_ += mm(5);
    }

    // A section's title on its tinted bar, then below it.
    void drawTitleBar(const QFont& titleFont, const QString& title, double titleHeight) {
        if (painter_) {
            const QRectF bar(0, y_, width_, titleHeight);
            painter_->fillRect(bar, QColor(225, 231, 240));
            painter_->setFont(titleFont);
            painter_->setPen(QColor(20, 40, 80));
            painter_->drawText(bar.adjusted(pad(), pad(), -pad(), -pad()),
                               Qt::AlignLeft | Qt::AlignVCenter, title);
        }
        y_ += titleHeight;
    }

    void addSignature(const ReportDocument& doc) {
        const QFont titleFont = font(11, true);
        const QFont body = font(9.5);
        const double titleHeight = textHeight(titleFont, doc.signatureTitle, width_);
        const double lineHeight = mm(13);
        ensure(titleHeight + lineHeight * doc.signatureLines.size());
        drawTitleBar(titleFont, doc.signatureTitle, titleHeight);
        for (const QString& line : doc.signatureLines) {
            if (painter_) {
                painter_->setFont(body);
                painter_->setPen(Qt::black);
                const double base = y_ + lineHeight - mm(3);
                painter_->drawText(QRectF(pad(), base - mm(6), captionWidth(), mm(6)),
                                   Qt::AlignLeft | Qt::AlignBottom, line);
                painter_->setPen(QPen(Qt::black, mm(0.2)));
                painter_->drawLine(QPointF(captionWidth(), base), QPointF(width_, base));
            }
            y_ += lineHeight;
        }
    }

public:
    QString pageText_;

private:
    QPdfWriter& writer_;
    QPainter* painter_;
    int pageCount_;
    double width_;
    double bottom_;
    double y_ = 0;
    int page_ = 0;
    QString title_;
};

void setUp(QPdfWriter& writer, const ReportDocument& document) {
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(kDotsPerInch);
    writer.setPageMargins(QMarginsF(18, 15, 18, 12), QPageLayout::Millimeter);
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("TRV5200 Service %1").arg(reportToolVersion()));
}

} // namespace

QString reportToolVersion() {
    return QStringLiteral(TRV_REPORT_VERSION);
}

QByteArray reportPdf(const ReportDocument& document) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        // The first pass only measures: its pages go nowhere.
        QBuffer scratch;
        scratch.open(QIODevice::WriteOnly);
        QPdfWriter measure(&scratch);
        setUp(measure, document);
        Layout layout(measure, nullptr, 0);
        layout.pageText_ = document.pageText;
        pages = layout.run(document);
    }
    QPdfWriter writer(&buffer);
    setUp(writer, document);
    QPainter painter;
    if (!painter.begin(&writer))
        return {};
    Layout layout(writer, &painter, pages);
    layout.pageText_ = document.pageText;
    layout.run(document);
    painter.end();
    buffer.close();
    return bytes;
}

std::optional<QString> saveReportPdf(const QString& path, const ReportDocument& document) {
    const QByteArray bytes = reportPdf(document);
    if (bytes.isEmpty())
        return QStringLiteral("the PDF could not be made");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}
