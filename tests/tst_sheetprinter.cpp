#include "model/ConversionError.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"
#include "render/SheetPrinter.h"
#include "support/FakePrinterDevice.h"

#include <QPainter>
#include <QtTest>
#include <stdexcept>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr int kPageWidth = 600;
constexpr int kPageHeight = 800;

// 4 x 5 checkers of 1 inch at 100 dpi, centred, frame a tenth of an inch away.
SheetInputs sheet(bool caption) {
    SheetInputs in;
    in.frameDistanceText = QStringLiteral("0.1");
    in.frameUnit = 1;
    in.dpiX = in.dpiY = 100;
    in.checkerWidthPx = in.checkerHeightPx = 100;
    in.patternWidthPx = 400;
    in.patternHeightPx = 500;
    in.columns = 4;
    in.rows = 5;
    in.sizeCaption = caption;
    in.sizeDistanceText = QStringLiteral("0.1");
    in.sizeUnit = 1;
    in.checkerWidthText = in.checkerHeightText = QStringLiteral("1");
    in.unitName = QStringLiteral("inches");
    return in;
}

// A printer whose jobs fail while the page is being drawn; it counts the
// aborts asked for (a fake job also aborts itself when dropped unfinished).
class FailingDrawPrinter : public FakePrinterDevice {
public:
    FailingDrawPrinter() : FakePrinterDevice("failing", 100, 100, kPageWidth, kPageHeight) {}
    int abortCalls = 0;
    std::unique_ptr<PrintJob> beginJob(QWidget* parent) override {
        class Job : public PrintJob {
        public:
            Job(std::unique_ptr<PrintJob> inner, int& aborts)
                : m_inner(std::move(inner)), m_aborts(aborts) {}
            QPainter& painter() override { throw std::runtime_error("out of paper"); }
            QPaintDevice& device() override { return m_inner->device(); }
            int pageWidth() const override { return m_inner->pageWidth(); }
            int pageHeight() const override { return m_inner->pageHeight(); }
            void finish() override { m_inner->finish(); }
            void abort() override {
                ++m_aborts;
                m_inner->abort();
            }

        private:
            std::unique_ptr<PrintJob> m_inner;
            int& m_aborts;
        };
        return std::make_unique<Job>(FakePrinterDevice::beginJob(parent), abortCalls);
    }
};

} // namespace

class TestSheetPrinter : public QObject {
    Q_OBJECT

private slots:
    void printsOnePage_data();
    void printsOnePage();
    void pictureJobAtPrinterResolution();
    void errors_data();
    void errors();
};

void TestSheetPrinter::printsOnePage_data() {
    QTest::addColumn<bool>("caption");
    QTest::newRow("board and frame") << false;
    QTest::newRow("with caption") << true;
}

// The page sent is exactly the sheet drawn at scale 1 on a page-sized image.
void TestSheetPrinter::printsOnePage() {
    QFETCH(bool, caption);
    const SheetInputs in = sheet(caption);
    FakePrinterDevice printer("test", 100, 100, kPageWidth, kPageHeight);
    printer.setSurface(FakePrinterDevice::Surface::Image);
    PrintSheet(printer, nullptr, in);
    QCOMPARE(printer.jobsBegun, 1);
    QCOMPARE(printer.jobsFinished, 1);
    QCOMPARE(printer.jobsAborted, 0);

    QImage expected(kPageWidth, kPageHeight, QImage::Format_RGB32);
    expected.fill(kWhite);
    QPainter painter(&expected);
    Canvas canvas(painter, expected, kPageWidth, kPageHeight);
    DrawBoard(canvas, 1.0f, kPageWidth, kPageHeight, in);
    painter.end();
    QCOMPARE(printer.lastPage, expected);
    QVERIFY(printer.lastPage.pixel(100, 150) != kWhite); // the first checker
}

// A 1200 dpi A4 page recorded as a picture: one finished job holding the drawing.
void TestSheetPrinter::pictureJobAtPrinterResolution() {
    SheetInputs in = sheet(true);
    in.dpiX = in.dpiY = 1200;
    in.checkerWidthPx = in.checkerHeightPx = 1417.3229f;
    in.patternWidthPx = 4 * 1417.3229f;
    in.patternHeightPx = 5 * 1417.3229f;
    FakePrinterDevice printer("test", 1200, 1200, 9921, 14031);
    PrintSheet(printer, nullptr, in);
    QCOMPARE(printer.jobsFinished, 1);
    QVERIFY(printer.lastPicture.size() > 0);
    const QRect bounds = printer.lastPicture.boundingRect();
    QVERIFY2(QRect(0, 0, 9921, 14031).contains(bounds), qPrintable(QDebug::toString(bounds)));
}

void TestSheetPrinter::errors_data() {
    QTest::addColumn<int>("failure"); // 0 checker text, 1 job cannot start, 2 drawing fails
    QTest::addColumn<int>("begun");
    QTest::addColumn<int>("aborted");
    QTest::newRow("checker text not a number") << 0 << 0 << 0;
    QTest::newRow("job cannot start") << 1 << 0 << 0;
    QTest::newRow("drawing fails") << 2 << 1 << 1;
}

// Nothing half drawn is sent: a bad text is found before a job opens, and a
// job whose drawing fails is abandoned.
void TestSheetPrinter::errors() {
    QFETCH(int, failure);
    QFETCH(int, begun);
    QFETCH(int, aborted);
    SheetInputs in = sheet(true);
    FailingDrawPrinter failing;
    FakePrinterDevice plain("test", 100, 100, kPageWidth, kPageHeight);
    FakePrinterDevice& printer = failure == 2 ? failing : plain;
    if (failure == 0) {
        in.checkerWidthText.clear();
        QVERIFY_THROWS_EXCEPTION(ConversionError, PrintSheet(printer, nullptr, in));
    } else {
        printer.setFailBegin(failure == 1);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, PrintSheet(printer, nullptr, in));
    }
    QCOMPARE(printer.jobsBegun, begun);
    QCOMPARE(printer.jobsAborted, aborted);
    QCOMPARE(failing.abortCalls, aborted);
    QCOMPARE(printer.jobsFinished, 0);
}

QTEST_MAIN(TestSheetPrinter)
#include "tst_sheetprinter.moc"
