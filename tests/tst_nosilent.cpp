// Faults made real on the way to paper or to a file: each ends in a message,
// loses no file, leaves no partial one, and the next print works.

#include "app/Main.h"
#include "model/QtPrinterDevice.h"
#include "support/PdfRaster.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QLocalServer>
#include <QMessageBox>
#include <QtTest>
#include <cups/cups.h>

class TestNoSilent : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_goodDir; // a fresh folder that works, per test
    QDir m_good;
    QString m_openedIn; // the folder the last file dialog started in
    QStringList m_said; // errors and notes, in order

    // Presses Print, typing name into the file dialog and answering Yes to "Replace?".
    QString print(TfQuadrix& window, const QString& name = {}) {
        m_said.clear();
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_said << box->text();
                QMetaObject::invokeMethod(box->button(QMessageBox::Yes), "click",
                                          Qt::QueuedConnection);
            } else if (auto* dialog =
                           qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                m_openedIn = dialog->directory().absolutePath();
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection); // may ask first
            }
        });
        answer.start(20);
        QTest::mouseClick(window.bbPrint, Qt::LeftButton);
        return m_said.join(u'\n');
    }
    std::unique_ptr<TfQuadrix> window() {
        auto w = std::make_unique<TfQuadrix>(std::make_unique<QtPrinterDevice>());
        w->setErrorReporter([this](const QString& m) { m_said << m; });
        w->setNoticeReporter([this](const QString& m) { m_said << m; });
        return w;
    }
    static QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    }

private slots:
    void init() {
        m_goodDir = std::make_unique<QTemporaryDir>();
        m_good.setPath(m_goodDir->path());
    }
    void fileFaults_data() {
        QTest::addColumn<QString>("target"); // under the fault mounts; relative: the good folder
        QTest::addColumn<QString>("said");
        QTest::newRow("full disk, new file") << "full/new.pdf"
                                             << "No space left on device";
        QTest::newRow("full disk, replacing") << "full/old.pdf"
                                              << "No space left on device";
        QTest::newRow("read-only folder") << "readonly/new.pdf"
                                          << "Read-only file system";
        QTest::newRow("read-only, replacing") << "readonly/old.pdf"
                                              << "is not writable";
        QTest::newRow("typed without .pdf") << "board"
                                            << "board.pdf already exists";
    }
    void fileFaults() {
        QFETCH(QString, target);
        QFETCH(QString, said);
        const QDir faults(qEnvironmentVariable("QUADRIX_FAULT_DIR"));
        const bool onMount = target.contains(u'/');
        const QString file = onMount ? faults.filePath(target) : m_good.filePath(target + ".pdf");
        if (onMount && QStorageInfo(QFileInfo(file).path()).rootPath() != QFileInfo(file).path())
            QSKIP("the fault mounts are missing (tests/print/fault_mounts.sh needs root)");
        QFile(m_good.filePath("board.pdf")).open(QIODevice::WriteOnly);
        auto w = window();
        QCOMPARE(print(*w, m_good.filePath("first.pdf")), QString());
        const auto folder = QDir(QFileInfo(file).path()).entryList(QDir::Files);
        const QByteArray before = contents(file);
        const QString message = print(*w, onMount ? file : target);
        QVERIFY2(message.contains(said) && (!onMount || message.contains(file)),
                 qPrintable(message));
        QCOMPARE(QDir(QFileInfo(file).path()).entryList(QDir::Files), folder); // no temporary left
        if (onMount)
            QCOMPARE(contents(file), before);
        else
            QCOMPARE(PdfRaster::PageCount(file), 1);
        QCOMPARE(print(*w, "second.pdf"), QString()); // in the last folder that worked
        QCOMPARE(m_openedIn, m_good.path());
        QCOMPARE(PdfRaster::PageCount(m_good.filePath("second.pdf")), 1);
    }

    // A print system that takes the connection and never answers: the window
    // comes up on the PDF output and says so; Setup asks again.
    void silentAtStart() {
        QLocalServer silent;
        QVERIFY(silent.listen(m_good.filePath("cups.sock")));
        cupsSetServer(qPrintable(silent.fullServerName()));
        auto w = window();
        QCOMPARE(w->sbPanel[0]->text(), "Printer: PDF file (print system silent)");
        QTest::mouseClick(w->bbSetup, Qt::LeftButton);
        QVERIFY2(m_said.join("").contains("does not answer"), qPrintable(m_said.join("")));
        cupsSetServer(nullptr);
        QCOMPARE(print(*w, m_good.filePath("after.pdf")), QString());
    }

    void queueFaults_data() {
        QTest::addColumn<QString>("fault"); // cups_fault.sh's, or "silent"
        QTest::addColumn<QString>("said");
        QTest::addColumn<int>("pages"); // PDFs the queue puts out, once restored
        QTest::newRow("rejecting") << "reject"
                                   << "does not accept jobs; nothing was printed. "
                                      "Let it accept jobs again (cupsaccept %1)"
                                   << 1;
        QTest::newRow("paused") << "disable"
                                << "is paused: job" << 2;
        QTest::newRow("deleted") << "delete"
                                 << "The printer %1 no longer exists" << 1;
        QTest::newRow("print system silent") << "silent"
                                             << "print system does not answer" << 1;
    }
    void queueFaults() {
        QFETCH(QString, fault);
        QFETCH(QString, said);
        QFETCH(int, pages);
        const QString queue = qEnvironmentVariable("QUADRIX_PRINT_QUEUE");
        if (queue.isEmpty())
            QSKIP("needs the print queue of the cups_queue fixture");
        const QDir out(qEnvironmentVariable("QUADRIX_PRINT_OUT"));
        const auto faultScript = [&](const QString& action) {
            return QProcess::execute(
                "bash", {QFINDTESTDATA("print/cups_fault.sh"), queue, m_good.path(), action});
        };
        const qsizetype before = out.entryList({"*.pdf"}).size();
        auto w = window();
        QLocalServer silent;
        QVERIFY(fault == "silent" ? silent.listen(m_good.filePath("cups.sock")) &&
                                        (cupsSetServer(qPrintable(silent.fullServerName())), true)
                                  : faultScript(fault) == 0);
        const QString message = print(*w);
        cupsSetServer(nullptr);
        QCOMPARE(faultScript("restore"), 0);
        QVERIFY2(message.contains(said.arg(queue)) && message.contains(queue), qPrintable(message));
        QCOMPARE(print(*w), QString()); // and the next print goes through
        QTRY_COMPARE_WITH_TIMEOUT(out.entryList({"*.pdf"}).size(), before + pages, 60000);
    }
};

QTEST_MAIN(TestNoSilent)
#include "tst_nosilent.moc"
