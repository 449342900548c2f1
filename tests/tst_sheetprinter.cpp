#include "model/ConversionError.h"
#include "render/SheetPrinter.h"
#include "support/FakePrinterDevice.h"

#include <QPainter>
#include <QtTest>
#include <stdexcept>

namespace {

constexpr int kPageWidth = 600;
constexpr int kPageHeight = 800;

// 4 x 5 checkers of 1 inch at 100 dpi, centred, frame and caption a tenth of
// an inch away.
SheetInputs sheet() {
    SheetInputs in;
    in.frameDistanceText = in.sizeDistanceText = QStringLiteral("0.1");
    in.frameUnit = in.sizeUnit = 1;
    in.dpiX = in.dpiY = 100;
    in.checkerWidthPx = in.checkerHeightPx = 100;
    in.patternWidthPx = 400;
    in.patternHeightPx = 500;
    in.columns = 4;
    in.rows = 5;
    in.checkerWidthText = in.checkerHeightText = QStringLiteral("1");
    in.unitName = QStringLiteral("inches");
    return in;
}

// A printer whose jobs fail while the page is being drawn. Only the finishes
// and aborts asked for are counted (a fake job aborts itself when dropped).
class FailingDrawPrinter : public FakePrinterDevice {
public:
    FailingDrawPrinter() : FakePrinterDevice("failing", 100, 100, kPageWidth, kPageHeight) {}
    std::unique_ptr<PrintJob> beginJob(QWidget*) override {
        struct Job : PrintJob {
            FakePrinterDevice* printer = nullptr;
            QImage page{1, 1, QImage::Format_RGB32};
            QPainter& painter() override { throw std::runtime_error("out of paper"); }
            QPaintDevice& device() override { return page; }
            int pageWidth() const override { return kPageWidth; }
            int pageHeight() const override { return kPageHeight; }
            void finish() override { ++printer->jobsFinished; }
            void abort() override { ++printer->jobsAborted; }
        };
        ++jobsBegun;
        auto job = std::make_unique<Job>();
        job->printer = this;
        return job;
    }
};

} // namespace

class TestSheetPrinter : public QObject {
    Q_OBJECT

private slots:
    void printsOnePage();
    void badTextOpensNoJob();
    void drawingErrorAbortsTheJob();
};

// One finished job whose page is the sheet at scale 1: the board centred at
// (95, 145), the frame's bottom row 10 pixels below it.
void TestSheetPrinter::printsOnePage() {
    FakePrinterDevice printer("test", 100, 100, kPageWidth, kPageHeight);
    printer.setSurface(FakePrinterDevice::Surface::Image);
    PrintSheet(printer, nullptr, sheet());
    QCOMPARE(QList<int>({printer.jobsBegun, printer.jobsFinished, printer.jobsAborted}),
             QList<int>({1, 1, 0}));
    const QImage& page = printer.lastPage;
    const auto dark = [&page](int x, int y) { return page.pixel(x, y) == qRgb(0, 0, 0); };
    QVERIFY(dark(95, 145) && dark(194, 244) && !dark(195, 145) && !dark(95, 245));
    QVERIFY(dark(300, 654) && !dark(300, 653) && !dark(300, 655));
}

// A checker text that is not a number is found before a job opens.
void TestSheetPrinter::badTextOpensNoJob() {
    SheetInputs in = sheet();
    in.checkerWidthText.clear();
    FakePrinterDevice printer("test", 100, 100, kPageWidth, kPageHeight);
    QVERIFY_THROWS_EXCEPTION(ConversionError, PrintSheet(printer, nullptr, in));
    QCOMPARE(printer.jobsBegun, 0);
}

// Nothing half drawn is sent: a job whose drawing fails is abandoned.
void TestSheetPrinter::drawingErrorAbortsTheJob() {
    FailingDrawPrinter printer;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, PrintSheet(printer, nullptr, sheet()));
    QCOMPARE(printer.jobsBegun, 1);
    QCOMPARE(printer.jobsAborted, 1);
    QCOMPARE(printer.jobsFinished, 0);
}

QTEST_MAIN(TestSheetPrinter)
#include "tst_sheetprinter.moc"
