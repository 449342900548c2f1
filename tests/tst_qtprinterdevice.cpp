#include "model/QtPrinterDevice.h"
#include "support/PdfRaster.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QtTest>
#include <stdexcept>

// A print server that does not exist: "no printer installed" on any machine.
static const bool kNoPrintServer = qputenv("CUPS_SERVER", "/nonexistent/quadrix-test/cups.sock");

namespace {

// While the timer lives, hands the first modal T to action from inside the code's
// modal loop; closes any modal left open after a while, so no test can hang.
template <class T> std::unique_ptr<QTimer> WhenShown(std::function<void(T*)> action) {
    auto timer = std::make_unique<QTimer>();
    const QDeadlineTimer deadline(15000);
    QObject::connect(timer.get(), &QTimer::timeout, [action, deadline, done = false]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<T*>(modal); dialog && !std::exchange(done, true))
            action(dialog);
        else if (modal && deadline.hasExpired())
            modal->close();
    });
    timer->start(20);
    return timer;
}

} // namespace

class TestQtPrinterDevice : public QObject {
    Q_OBJECT
private slots:
    // With no printer the PDF output stands in, on the whole paper (its
    // minimum margins are none); its setup dialog offers OK, not Print, and
    // cancelling it keeps the printer as it was.
    void pdfOutputAndSetup() {
        QtPrinterDevice device;
        const QSize paper = device.printer().pageLayout().fullRectPixels(1200).size();
        QCOMPARE(QSize(device.dpiX(), device.dpiY()), QSize(1200, 1200));
        QCOMPARE(QSize(device.pageWidth(), device.pageHeight()), paper);
        QStringList acceptTexts, otherTexts;
        const auto when = WhenShown<QPrintDialog>([&](QPrintDialog* dialog) {
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
                auto* box = qobject_cast<QDialogButtonBox*>(button->parent());
                const bool accept = box && box->buttonRole(button) == QDialogButtonBox::AcceptRole;
                (accept ? acceptTexts : otherTexts) << button->text().remove(u'&');
            }
            dialog->printer()->setPageOrientation(QPageLayout::Landscape);
            dialog->reject();
        });
        device.setup(nullptr);
        QCOMPARE(acceptTexts, QStringList{QStringLiteral("OK")});
        QVERIFY2(!otherTexts.contains(QStringLiteral("Print")), qPrintable(otherTexts.join(u',')));
        QCOMPARE(device.name(), QStringLiteral("PDF file"));
        QCOMPARE(QSize(device.pageWidth(), device.pageHeight()), paper);
    }

    void jobs_data() {
        QTest::addColumn<QString>("fileName"); // typed in the save dialog; empty: cancelled
        QTest::addColumn<bool>("finish");      // or abort
        QTest::addColumn<QString>("error");
        QTest::newRow("save dialog cancelled")
            << QString() << true
            << QStringLiteral("No file was chosen for the PDF output; nothing was printed.");
        QTest::newRow("finished") << QStringLiteral("sheet.pdf") << true << QString();
        QTest::newRow("suffix added") << QStringLiteral("sheet") << true << QString();
        QTest::newRow("aborted") << QStringLiteral("sheet.pdf") << false << QString();
        QTest::newRow("cannot be written")
            << QStringLiteral("missing-dir/sheet.pdf") << true
            << QStringLiteral("The file %1 cannot be written (No such file or directory); nothing was printed.");
    }

    void jobs() {
        QFETCH(QString, fileName);
        QFETCH(bool, finish);
        QFETCH(QString, error);
        QTemporaryDir dir;
        error.replace(QLatin1String("%1"), dir.filePath(fileName));
        const QRect drawn(100, 200, 1417, 1417);

        QtPrinterDevice device;
        const auto when = WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            if (fileName.isEmpty())
                return dialog->reject();
            dialog->setDirectory(dir.path()); // then typed in, as a user would
            auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(nameEdit);
            nameEdit->setText(fileName);
            static_cast<QDialog*>(dialog)->accept();
        });
        QString message;
        try {
            auto job = device.beginJob(nullptr);
            job->painter().fillRect(drawn, Qt::black);
            finish ? job->finish() : job->abort();
        } catch (const std::runtime_error& e) {
            message = QString::fromStdString(e.what());
        }
        QCOMPARE(message, error);
        const bool written = finish && error.isEmpty();
        const auto files = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(files, written ? QStringList{QStringLiteral("sheet.pdf")} : QStringList{});
        if (!written)
            return;
        // Where it was drawn, in printer pixels from the printable area's corner.
        const QString pdf = dir.filePath(files.first());
        QCOMPARE(PdfRaster::PageCount(pdf), 1);
        const QPoint origin = device.printer().pageLayout().paintRectPixels(1200).topLeft();
        const QImage page = PdfRaster::Render(pdf, 1200, QRect(origin, QSize(2000, 2000)));
        QCOMPARE(PdfRaster::DarkBounds(page), drawn);
    }
};

QTEST_MAIN(TestQtPrinterDevice)
#include "tst_qtprinterdevice.moc"
