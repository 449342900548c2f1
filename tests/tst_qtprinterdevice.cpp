#include "model/QtPrinterDevice.h"
#include "support/PdfRaster.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <stdexcept>

// Point the print client at a server that does not exist, so that the test
// sees "no printer installed" on any machine: the PDF output then stands in.
static void NoPrintServer() {
    qputenv("CUPS_SERVER", "/nonexistent/quadrix-test/cups.sock");
}
Q_CONSTRUCTOR_FUNCTION(NoPrintServer)

namespace {

const QRect kDrawn(100, 200, 1417, 1417);

// Once a visible top-level widget of type T appears (inside the modal loop
// that the code under test runs), hands it to action. A dialog that never
// shows up, or is left open, is closed after a while so the test cannot hang.
template <class T> void WhenShown(std::function<void(T*)> action) {
    auto* timer = new QTimer(QCoreApplication::instance()); // freed at exit if still pending
    auto handled = std::make_shared<QPointer<T>>();
    auto acted = std::make_shared<bool>(false);
    const QDeadlineTimer deadline(15000);
    auto done = [timer] {
        timer->stop();
        timer->deleteLater();
    };
    QObject::connect(timer, &QTimer::timeout, [=] {
        if (*acted) {
            // Wait for the dialog to close; close it if the action left it open.
            if (handled->isNull() || !(*handled)->isVisible()) {
                done();
            } else if (deadline.hasExpired()) {
                (*handled)->close();
                done();
            }
            return;
        }
        const auto widgets = QApplication::topLevelWidgets();
        for (QWidget* widget : widgets) {
            if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible()) {
                *acted = true;
                *handled = dialog;
                action(dialog);
                return;
            }
        }
        if (deadline.hasExpired()) {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            done();
        }
    });
    timer->start(20);
}

QString ButtonText(const QAbstractButton* button) {
    return button->text().remove(QLatin1Char('&'));
}

} // namespace

class TestQtPrinterDevice : public QObject {
    Q_OBJECT
private slots:
    void pdfOutputStandsIn();
    void setupDialogDoesNotOfferToPrint();
    void setupCancelledKeepsPrinter();
    void jobs_data();
    void jobs();
};

void TestQtPrinterDevice::pdfOutputStandsIn() {
    QtPrinterDevice device;
    QCOMPARE(device.name(), QStringLiteral("PDF file"));
    QCOMPARE(device.dpiX(), 1200);
    QCOMPARE(device.dpiY(), 1200);
    // The whole printable area: a fresh QPrinter has 10 pt margins; the PDF
    // output's minimum is none, so the page is the whole paper.
    const QPageLayout layout = device.printer().pageLayout();
    QCOMPARE(layout.margins(), layout.minimumMargins());
    const QRect paper = layout.fullRectPixels(1200);
    QCOMPARE(device.pageWidth(), paper.width());
    QCOMPARE(device.pageHeight(), paper.height());
}

void TestQtPrinterDevice::setupDialogDoesNotOfferToPrint() {
    QtPrinterDevice device;
    QStringList acceptTexts;
    QStringList allTexts;
    bool seen = false;
    WhenShown<QPrintDialog>([&](QPrintDialog* dialog) {
        seen = true;
        const auto boxes = dialog->findChildren<QDialogButtonBox*>();
        for (QDialogButtonBox* box : boxes) {
            const auto buttons = box->buttons();
            for (QAbstractButton* button : buttons) {
                allTexts << ButtonText(button);
                if (box->buttonRole(button) == QDialogButtonBox::AcceptRole)
                    acceptTexts << ButtonText(button);
            }
        }
        dialog->reject();
    });
    device.setup(nullptr);
    QVERIFY(seen);
    QCOMPARE(acceptTexts, QStringList{QStringLiteral("OK")});
    QVERIFY2(!allTexts.contains(QStringLiteral("Print")), qPrintable(allTexts.join(u',')));
}

void TestQtPrinterDevice::setupCancelledKeepsPrinter() {
    QtPrinterDevice device;
    const QString name = device.name();
    const QSize page(device.pageWidth(), device.pageHeight());
    WhenShown<QPrintDialog>([](QPrintDialog* dialog) {
        // Change the paper orientation in the dialog's own printer, then cancel.
        dialog->printer()->setPageOrientation(QPageLayout::Landscape);
        dialog->reject();
    });
    device.setup(nullptr);
    QCOMPARE(device.name(), name);
    QCOMPARE(QSize(device.pageWidth(), device.pageHeight()), page);
}

void TestQtPrinterDevice::jobs_data() {
    QTest::addColumn<QString>("fileName"); // chosen in the save dialog; empty: cancelled
    QTest::addColumn<bool>("finish");      // finish the job, or abort it
    QTest::addColumn<QString>("error");    // expected message, empty for none
    QTest::addColumn<bool>("fileWritten");

    QTest::newRow("save dialog cancelled")
        << QString() << true
        << QStringLiteral("No file was chosen for the PDF output; nothing was printed.") << false;
    QTest::newRow("finished") << QStringLiteral("sheet.pdf") << true << QString() << true;
    QTest::newRow("suffix added") << QStringLiteral("sheet") << true << QString() << true;
    QTest::newRow("aborted: nothing written")
        << QStringLiteral("sheet.pdf") << false << QString() << false;
    QTest::newRow("file cannot be written")
        << QStringLiteral("missing-dir/sheet.pdf") << true
        << QStringLiteral("The file %1 cannot be written; nothing was printed.") << false;
}

void TestQtPrinterDevice::jobs() {
    QFETCH(QString, fileName);
    QFETCH(bool, finish);
    QFETCH(QString, error);
    QFETCH(bool, fileWritten);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = fileName.isEmpty() ? QString() : dir.filePath(fileName);
    const QString written = path.endsWith(QLatin1String(".pdf")) ? path : path + ".pdf";
    if (error.contains(QLatin1String("%1")))
        error = error.arg(written);

    QtPrinterDevice device;
    bool asked = false;
    WhenShown<QFileDialog>([&](QFileDialog* dialog) {
        asked = true;
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        // Typed into the name field, as a user would, relative to the folder.
        dialog->setDirectory(dir.path());
        auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(nameEdit);
        nameEdit->setText(fileName);
        static_cast<QDialog*>(dialog)->accept();
    });
    QString message;
    try {
        auto job = device.beginJob(nullptr);
        QCOMPARE(job->pageWidth(), device.pageWidth());
        QCOMPARE(job->pageHeight(), device.pageHeight());
        job->painter().fillRect(kDrawn, Qt::black);
        if (finish)
            job->finish();
        else
            job->abort();
    } catch (const std::runtime_error& e) {
        message = QString::fromStdString(e.what());
    }
    QVERIFY(asked);
    QCOMPARE(message, error);
    QCOMPARE(QFile::exists(written), fileWritten);
    if (fileWritten) {
        QFile pdf(written);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        // The page lands where it was drawn, in printer pixels: the recorded
        // page must be replayed at scale 1 from the printable area's corner.
        QCOMPARE(PdfRaster::PageCount(written), 1);
        const QPoint origin = device.printer().pageLayout().paintRectPixels(1200).topLeft();
        const QRect look(origin, QSize(2000, 2000));
        QString why;
        const QImage page = PdfRaster::Render(written, 1200, look, &why);
        QVERIFY2(!page.isNull(), qPrintable(why));
        QCOMPARE(PdfRaster::DarkBounds(page), kDrawn);
    }
}

QTEST_MAIN(TestQtPrinterDevice)
#include "tst_qtprinterdevice.moc"
