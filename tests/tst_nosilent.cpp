// SPDX-License-Identifier: MIT
// Faults made real on the way to paper or to a file: each ends in a message,
// loses no file, leaves no partial one, and the next print works.

#include "app/Main.h"
#include "app/QtPrinterDevice.h"
#include "support/PdfRaster.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QLocalServer>
#include <QMessageBox>
#include <QPrintDialog>
#include <QtTest>
#include <cups/cups.h>

class TestNoSilent : public QObject {
    Q_OBJECT
    std::unique_ptr<TfQuadrix> m_window;
    QStringList m_said; // errors, notes and questions, in order
    QString m_openedIn; // the folder the last file dialog started in

    // Presses Print (or button), typing name into the file dialog, answering Yes
    // to "Replace?" and cancelling the printer's dialog, which is noted by its title.
    QString print(const QString& name = {}, QAbstractButton* button = nullptr) {
        m_said.clear();
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                m_said << box->text();
                QMetaObject::invokeMethod(box->button(QMessageBox::Yes), "click",
                                          Qt::QueuedConnection);
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                m_openedIn = dialog->directory().absolutePath();
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection); // may ask first
            } else if (auto* setup = qobject_cast<QPrintDialog*>(modal)) {
                m_said << setup->windowTitle();
                QMetaObject::invokeMethod(setup, "reject", Qt::QueuedConnection);
            }
        });
        answer.start(20);
        QTest::mouseClick(button ? button : m_window->bbPrint, Qt::LeftButton);
        return m_said.join(u'\n');
    }

private slots:
    void init() { // a window that reports into m_said
        m_window = std::make_unique<TfQuadrix>(std::make_unique<QtPrinterDevice>());
        m_window->setErrorReporter([this](const QString& m) { m_said << m; });
        m_window->setNoticeReporter([this](const QString& m) { m_said << m; });
    }

    void fileFaults_data() {
        QTest::addColumn<QString>("target"); // under the fault mounts; a bare name: a good folder
        QTest::addColumn<QString>("said");
        QTest::addColumn<bool>("small"); // no frame or caption: a page that fits a file's buffer
        // clang-format off
        QTest::newRow("full disk, new file") << "full/new.pdf" << "No space left on device" << false;
        QTest::newRow("full disk, replacing, small page") << "full/old.pdf" << "No space left on device" << true;
        QTest::newRow("a few kB free: a short write, replacing") << "nearfull/old.pdf" << "No space left on device" << false;
        QTest::newRow("a few kB free: a short write, replacing a PNG") << "nearfull/old.png" << "No space left on device" << false;
        QTest::newRow("read-only, replacing") << "readonly/old.pdf" << "is not writable" << false;
        QTest::newRow("typed without .pdf") << "board" << "board.pdf already exists" << true;
        // clang-format on
    }
    void fileFaults() {
        QFETCH(QString, target);
        QFETCH(QString, said);
        QFETCH(bool, small);
        m_window->cbFrame->setChecked(!small);
        m_window->cbSize->setChecked(!small);
        QTemporaryDir good;
        const bool fault = target.contains(u'/');
        const QString file = fault ? qEnvironmentVariable("QUADRIX_FAULT_DIR") + '/' + target
                                   : good.filePath("board.pdf");
        const QDir folder = QFileInfo(file).dir();
        if (fault && QStorageInfo(folder).rootPath() != folder.path())
            QSKIP("the fault mounts are missing (tests/print/fault_mounts.sh needs root)");
        QFile(good.filePath("board.pdf")).open(QIODevice::WriteOnly);
        // Nothing listens: a plain PDF output, and Setup opens the printer's dialog.
        QCOMPARE(m_window->sbPanel[0]->text(), "Printer: PDF file");
        QCOMPARE(print({}, m_window->bbSetup), "Printer setup");
        QCOMPARE(print(good.filePath("first.pdf")), QString());
        const QStringList before = folder.entryList(QDir::Files);
        const qint64 kept = QFileInfo(file).size();
        const QString message = print(fault ? file : target);
        QVERIFY2(message.contains(said) && message.contains(QFileInfo(file).fileName()),
                 qPrintable(message));
        QCOMPARE(folder.entryList(QDir::Files), before); // no temporary file left
        QCOMPARE(PdfRaster::PageCount(file), fault ? -1 : 1);
        QCOMPARE(QFileInfo(file).size() == kept, fault); // an earlier file survives a failure
        // The command line writes through its own path, a tiled board through
        // its own too, and they fail alike.
        for (const QString tile : {"", " --tile"}) {
            if (!fault || (!tile.isEmpty() && !file.endsWith(".pdf"))) // tiles are PDF only
                continue;
            QProcess cli;
            cli.start(QUADRIX_EXE, QString(small ? "--no-frame --no-caption --paper A4 --output"
                                                 : "--paper A4 --output")
                                           .split(' ')
                                       << file << tile.split(' ', Qt::SkipEmptyParts));
            QVERIFY(cli.waitForFinished(60000) && cli.exitCode() == 1);
            QVERIFY(QString(cli.readAllStandardError()).contains(said));
            QVERIFY(folder.entryList(QDir::Files) == before && QFileInfo(file).size() == kept);
        }
        QCOMPARE(print("second.pdf"), QString()); // started in the last folder that worked
        QCOMPARE(PdfRaster::PageCount(QDir(m_openedIn).filePath("second.pdf")), 1);
        QCOMPARE(m_openedIn, good.path());
    }

    void queueFaults_data() {
        QTest::addColumn<QString>("fault"); // cups_fault.sh's, or "silent"
        QTest::addColumn<QString>("said");
        QTest::addColumn<int>("pages");    // PDFs the queue puts out, once restored
        QTest::addColumn<int>("exitCode"); // of quadrix --printer QUEUE meanwhile
        // clang-format off
        QTest::newRow("rejecting") << "reject" << "accept jobs again (cupsaccept %1)" << 1 << 1;
        QTest::newRow("paused") << "disable" << "%1 is paused: job" << 3 << 0;
        QTest::newRow("deleted, Setup cancelled") << "delete" << "no printer %1 in the print system" << 1 << 2;
        QTest::newRow("print system silent, at print and at start") << "silent" << "does not answer (no answer within" << 1 << 1;
        QTest::newRow("temporary folder full") << "tmpfull" << "" << 3 << 0; // prints all the same
        // clang-format on
    }
    void queueFaults() {
        QFETCH(QString, fault);
        QFETCH(QString, said);
        QFETCH(int, pages);
        QFETCH(int, exitCode);
        const QString queue = qEnvironmentVariable("QUADRIX_PRINT_QUEUE");
        QVERIFY2(!queue.isEmpty(), "needs the print queue of the cups_queue fixture");
        const QDir out(qEnvironmentVariable("QUADRIX_PRINT_OUT"));
        const qsizetype before = out.entryList({"*.pdf"}).size();
        QTemporaryDir state;
        const QStringList script{QFINDTESTDATA("print/cups_fault.sh"), queue, state.path()};
        const auto faultScript = [&](QString action) {
            return QProcess::execute("bash", script + QStringList{action});
        };
        QLocalServer silent;
        if (fault == "silent" && silent.listen(state.filePath("cups.sock")))
            cupsSetServer(qPrintable(silent.fullServerName()));
        if (fault == "tmpfull") // where jobs were spooled before they went out
            qputenv("TMPDIR", qgetenv("QUADRIX_FAULT_DIR") + "/full");
        QVERIFY(fault == "silent" ? silent.isListening() : faultScript(fault) == 0);
        const QString message = print();
        QProcess cli; // the command line reports the same, with its exit code
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (fault == "silent")
            env.insert("CUPS_SERVER", silent.fullServerName());
        cli.setProcessEnvironment(env);
        cli.setProcessChannelMode(QProcess::MergedChannels);
        cli.start(QUADRIX_EXE, {"--printer", queue});
        QVERIFY(cli.waitForFinished(60000));
        const QString reported = cli.readAll();
        QVERIFY2(cli.exitCode() == exitCode && reported.contains(said.arg(queue)),
                 qPrintable(reported));
        if (fault == "delete") { // a queue gone since it was chosen stays chosen
            print({}, m_window->bbSetup);
            QCOMPARE(m_window->sbPanel[0]->text(), "Printer: " + queue);
            QCOMPARE(print(), message);
        }
        if (fault == "silent") { // a window started now comes up on the PDF output and says so
            init();
            QCOMPARE(m_window->sbPanel[0]->text(), "Printer: PDF file (CUPS silent)");
            const QString setup = print({}, m_window->bbSetup); // asks again and explains
            QVERIFY2(setup.contains("does not answer"), qPrintable(setup));
            cupsSetServer(nullptr);
            init(); // on the queue again
        }
        cupsSetServer(nullptr);
        qunsetenv("TMPDIR");
        QCOMPARE(faultScript("restore"), 0);
        QVERIFY2(message.contains(said.arg(queue)) && message.isEmpty() == said.isEmpty(),
                 qPrintable(message));
        QCOMPARE(print(), QString()); // and the next print goes through
        const auto printed = [&] {    // as many whole pages as jobs taken, each with the board
            const QStringList pdfs = out.entryList({"*.pdf"}, QDir::Files, QDir::Time);
            return pdfs.size() == before + pages &&
                   std::all_of(pdfs.begin(), pdfs.begin() + pages, [&](const QString& pdf) {
                       return !PdfRaster::DarkBounds(PdfRaster::Render(out.filePath(pdf), 20))
                                   .isEmpty();
                   });
        };
        QTRY_VERIFY_WITH_TIMEOUT(printed(), 60000);
    }

    // The tests' own print server, behind a proxy that spoils the upload
    // (tests/print/upload_faults.py), with settings that name a default.
    void uploadFaults_data() {
        QTest::addColumn<QString>("mode");  // the proxy's
        QTest::addColumn<QString>("setup"); // private_cups.sh reset's, or PRINTER=
        QTest::addColumn<QString>("said");  // in the window, and by quadrix --print --output b.pdf
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("jobState"); // of each job the server keeps (0: none made)
        const int cancelled = IPP_JSTATE_CANCELED;
        // clang-format off
        QTest::newRow("stops reading once the PDF flows") << "stall" << "" << "it holds no whole document of it); nothing was printed. The print system has cancelled" << 1 << cancelled;
        QTest::newRow("connection dropped after 2 kB") << "drop" << "" << "nothing was printed. The print system has cancelled" << 1 << cancelled;
        QTest::newRow("restarted during the upload") << "restart" << "" << "nothing was printed. The print system has cancelled" << 1 << cancelled;
        QTest::newRow("job refused at create") << "create" << "" << "did not take the job (" << 1 << 0;
        QTest::newRow("document refused at send") << "send" << "" << "refused the document: Request Entity Too Large); nothing was printed. The print system has cancelled" << 1 << cancelled;
        QTest::newRow("document refused at close") << "close" << "" << "did not confirm the document: server-error-internal-error); nothing was printed. The print system has cancelled" << 1 << cancelled;
        QTest::newRow("queue holds its jobs") << "pass" << "held" << "holds its jobs: job" << 0 << int(IPP_JSTATE_HELD);
        QTest::newRow("lpoptions default gone") << "pass" << "Default Gone" << "default printer Gone" << 2 << 0;
        QTest::newRow("PRINTER names a queue gone") << "pass" << "PRINTER=Gone" << "printer Gone" << 2 << 0;
        QTest::newRow("no default: the first printer") << "pass" << "nodefault" << "No default printer is set: QuadrixUpload is the first" << 0 << int(IPP_JSTATE_COMPLETED);
        QTest::newRow("answers, but has no printer") << "pass" << "noprinter" << "no printer is installed" << 1 << 0;
        // clang-format on
    }
    void uploadFaults() {
        QFETCH(QString, mode);
        QFETCH(QString, setup);
        QFETCH(QString, said);
        QFETCH(int, exitCode);
        QFETCH(int, jobState);
        const QString dir = qEnvironmentVariable("QUADRIX_UPLOAD_DIR");
        QFile portFile(dir + "/port");
        QVERIFY2(portFile.open(QIODevice::ReadOnly), "needs the print server of private_cups.sh");
        const int port = portFile.readAll().trimmed().toInt();
        const QString script = QFINDTESTDATA("print/private_cups.sh");
        QCOMPARE(QProcess::execute("bash", {script, "reset", dir, setup}), 0);
        QProcess proxy;
        proxy.start("python3", {QFINDTESTDATA("print/upload_faults.py"), mode,
                                QString::number(port), dir + "/cupsd.pid"});
        QVERIFY(proxy.waitForReadyRead(10000));
        const QByteArray server = "127.0.0.1:" + proxy.readLine().trimmed();
        if (setup.startsWith("PRINTER="))
            qputenv("PRINTER", setup.section('=', 1).toUtf8());
        cupsSetServer(server.constData());
        const auto states = [&] { // of the jobs the server keeps, read from it directly
            http_t* http = httpConnect2("127.0.0.1", port, nullptr, AF_UNSPEC,
                                        HTTP_ENCRYPTION_IF_REQUESTED, 1, 5000, nullptr);
            cups_job_t* jobs = nullptr;
            const int count = http ? cupsGetJobs2(http, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL) : -1;
            QList<int> found(count < 0 ? 1 : 0, -1); // -1: no answer
            for (int i = 0; i < count; ++i)
                found << jobs[i].state;
            cupsFreeJobs(count, jobs);
            httpClose(http);
            return found;
        };
        QString message;            // what the window says, in boxes and in passing
        if (setup != "noprinter") { // (that one asks for a file)
            init();
            QString passing;
            m_window->setPassingReporter([&](const QString& m) { passing = m; });
            message = print() + '\n' + passing;
            QTRY_VERIFY_WITH_TIMEOUT(!states().contains(-1), 15000); // back after a restart
        }
        QTemporaryDir out;
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CUPS_SERVER", server);
        cli.setProcessEnvironment(env);
        cli.setProcessChannelMode(QProcess::MergedChannels);
        cli.start(QUADRIX_EXE, {"--print", "--output", out.filePath("b.pdf")});
        QVERIFY(cli.waitForFinished(60000));
        const QString reported = cli.readAll();
        cupsSetServer(nullptr);
        qunsetenv("PRINTER");
        QVERIFY2(cli.exitCode() == exitCode && reported.contains(said) &&
                     !reported.contains("(Success)"),
                 qPrintable(reported));
        QCOMPARE(QFile::exists(out.filePath("b.pdf")), exitCode != 2); // nothing made on bad input
        QVERIFY2(setup == "noprinter" || (message.contains(said) && !message.contains("Success")),
                 qPrintable(message));
        proxy.closeWriteChannel();
        // The window's job and the command line's, or none.
        QTRY_COMPARE_WITH_TIMEOUT(states(), QList<int>(jobState ? 2 : 0, jobState), 15000);
        QVERIFY(proxy.waitForFinished(5000));
    }
};

QTEST_MAIN(TestNoSilent)
#include "tst_nosilent.moc"
