// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/page_printer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>
#include <QTextLayout>
#include <memory>

#include "runtime/print_engine.h"
#include "runtime/qt_text.h"

namespace rt {
namespace {

// Characters laid out at once: a few pages' worth, so that a long paragraph
// shows its progress too.
constexpr qsizetype kPieceLength = 4096;
// A print with more pages than this shows its progress.
constexpr int kFewPages = 3;
// How often a long print lets the windows paint.
constexpr qint64 kPaintEveryMs = 25;

constexpr char kProgressLabel[] = "正在打印“%1”：第 %2 页";  // %1 the document, %2 the page

// A job cannot be taken back from the print system once begun (the toolkit
// hands over whatever was painted), so the dialog offers no cancel and
// ignores Escape and its close button: the letter prints whole.
class ProgressDialog : public QProgressDialog {
public:
    ProgressDialog() {
        setWindowTitle(toQString(printEngineTitle()));
        setCancelButton(nullptr);
        setRange(0, 1000);
        setWindowModality(Qt::ApplicationModal);
        setMinimumDuration(0);
        setAutoClose(false);
        setAutoReset(false);
    }

protected:
    void reject() override {}
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

class Progress {
public:
    Progress(const QString& documentName, qsizetype total) : name_(documentName), total_(std::max<qsizetype>(total, 1)) {
        sinceEvents_.start();
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void update(int page, qsizetype done) {
        if (page <= kFewPages || (dialog_ && sinceEvents_.elapsed() < kPaintEveryMs)) return;
        if (!dialog_) {
            dialog_ = std::make_unique<ProgressDialog>();
            dialog_->show();
        } else if (!dialog_->isVisible()) {
            // The program is ending (it hides every window): finish the job
            // without dispatching anything more.
            return;
        }
        dialog_->setLabelText(QString::fromUtf8(kProgressLabel).arg(name_).arg(page));
        dialog_->setValue(static_cast<int>(done * 1000 / total_));
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        sinceEvents_.restart();
    }

private:
    QString name_;
    qsizetype total_;
    QElapsedTimer sinceEvents_;
    std::unique_ptr<ProgressDialog> dialog_;
};

class Pages {
public:
    Pages(QPrinter& printer, QPainter& painter) : printer_(printer), painter_(painter), height_(printer.height()) {}

    bool place(const QTextLine& line) {
        if (y_ > 0 && y_ + line.height() > height_) {
            if (!printer_.newPage()) return false;
            ++page_;
            y_ = 0;
        }
        line.draw(&painter_, QPointF(0, y_ - line.y()));
        y_ += line.height();
        return true;
    }
    int page() const { return page_; }

private:
    QPrinter& printer_;
    QPainter& painter_;
    qreal height_;
    qreal y_ = 0;
    int page_ = 1;
};

}  // namespace

bool printPlainText(const QString& text, const QFont& font, QPrinter& printer, const QString& documentName) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QFont deviceFont(font, &printer);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(QFontMetricsF(deviceFont, &printer).horizontalAdvance(QLatin1Char(' ')) * 8);
    const qreal width = printer.width();
    Pages pages(printer, painter);
    Progress progress(documentName, text.size());

    for (qsizetype start = 0; start <= text.size();) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0) end = text.size();
        const qsizetype stop = end > start && text[end - 1] == QLatin1Char('\r') ? end - 1 : end;
        qsizetype from = start;
        do {
            qsizetype to = std::min(stop, from + kPieceLength);
            if (to < stop && text[to - 1].isHighSurrogate()) --to;
            QTextLayout layout(text.sliced(from, to - from), deviceFont, &printer);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) line.setLineWidth(width);
            layout.endLayout();
            // A piece cut inside a paragraph ends on a line that may go on:
            // it is laid out again at the start of the next piece.
            int lines = layout.lineCount();
            if (to < stop && lines > 1) --lines;
            for (int i = 0; i < lines; ++i) {
                if (!pages.place(layout.lineAt(i))) return false;
            }
            const QTextLine last = layout.lineAt(lines - 1);
            from = to < stop ? from + last.textStart() + last.textLength() : stop;
            progress.update(pages.page(), from);
        } while (from < stop);
        start = end + 1;
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

}  // namespace rt
