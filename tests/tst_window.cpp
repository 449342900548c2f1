// The window as built: every control where the layout puts it, with its text,
// and the start-up state read from the printer.
#include "WindowFixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>

class tst_Window : public QObject {
    Q_OBJECT
private slots:
    void geometry_data();
    void geometry();
    void texts_data();
    void texts();
    void buttons_data();
    void buttons();
    void checkBoxGaps();
    void tabOrder();
    void startUp();
    void statusPanelWidths();
    void placeholderReplacedByPreview();
};

void tst_Window::geometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    const struct {
        const char* name;
        int x, y, w, h;
    } rows[] = {
        {"gbPattern", 8, 0, 241, 74},
        {"lPatWidth", 9, 22, 28, 13},
        {"lPatternHeight", 93, 22, 31, 13},
        {"Label1", 180, 22, 42, 13},
        {"Label2", 9, 47, 28, 13},
        {"Label3", 93, 47, 31, 13},
        {"ePatternWidth", 43, 44, 44, 21},
        {"ePatternHeight", 130, 44, 44, 21},
        {"cbUnitsP", 180, 44, 51, 21},
        {"udWidth", 73, 17, 16, 21},
        {"seWidth", 43, 17, 30, 21},
        {"udHeight", 160, 17, 16, 21},
        {"seHeight", 130, 17, 30, 21},
        {"gbChecker", 8, 80, 241, 49},
        {"lCheckerWidth", 9, 22, 28, 13},
        {"lCheckerHeight", 93, 22, 31, 13},
        {"cbUnitsC", 180, 19, 51, 21},
        {"eCheckerWidth", 43, 19, 44, 21},
        {"eCheckerHeight", 130, 19, 44, 21},
        {"cbKeepCheckerConstant", 144, -2, 87, 17},
        {"gbAlignment", 8, 133, 241, 100},
        {"rgVertical", 9, 54, 222, 35},
        {"rgHorizontal", 9, 14, 222, 34},
        {"gbOptions", 8, 237, 241, 68},
        {"cbFrame", 9, 16, 229, 17},
        {"eFrameDistance", 95, 14, 44, 21},
        {"cbUnitsF", 145, 14, 51, 21},
        {"cbSize", 9, 41, 200, 17},
        {"eSizeDistance", 73, 39, 44, 21},
        {"cbUnitsS", 123, 39, 51, 21},
        {"gbCommands", 8, 311, 241, 66},
        {"bbSetup", 9, 16, 52, 42},
        {"bbInside", 66, 16, 52, 42},
        {"bbPrint", 123, 16, 52, 42},
        {"bbExit", 180, 16, 52, 42},
        {"gbPreview", 255, 0, 322, 377},
        {"img", 8, 15, 303, 354},
        {"sb", 0, 385, 585, 19},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.name) << QRect(r.x, r.y, r.w, r.h);
}

void tst_Window::geometry() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    WindowFixture f;
    auto* w = f.window->findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(w->geometry(), rect);
}

void tst_Window::texts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const char* rows[][2] = {
        {"gbPattern", "Pattern size:"},
        {"gbChecker", "Checker size:"},
        {"gbAlignment", "Alignment:"},
        {"rgVertical", "Vertical:"},
        {"rgHorizontal", "Horizontal:"},
        {"gbPreview", "Preview:"},
        {"gbOptions", "Options:"},
        {"gbCommands", "Commands:"},
        {"lPatWidth", "Width"},
        {"lPatternHeight", "Height"},
        {"Label1", "checkers"},
        {"Label2", "Width"},
        {"Label3", "Height"},
        {"lCheckerWidth", "Width"},
        {"lCheckerHeight", "Height"},
        {"cbKeepCheckerConstant", "Keep constant"},
        {"seWidth", "5"},
        {"seHeight", "6"},
        {"ePatternWidth", "15"},
        {"ePatternHeight", "18"},
        {"eCheckerWidth", "3"},
        {"eCheckerHeight", "3"},
        {"eFrameDistance", "0.6"},
        {"eSizeDistance", "0.3"},
        {"cbUnitsP", "cm"},
        {"cbUnitsC", "cm"},
        {"cbUnitsF", "cm"},
        {"cbUnitsS", "cm"},
        {"sbPanel3", "Quadrix 1.0"},
    };
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1]);
}

void tst_Window::texts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    WindowFixture f;
    QObject* o = f.window->findChild<QObject*>(name);
    QVERIFY2(o, qPrintable(name));
    QString actual;
    if (auto* g = qobject_cast<QGroupBox*>(o))
        actual = g->title();
    else if (auto* l = qobject_cast<QLabel*>(o))
        actual = l->text();
    else if (auto* e = qobject_cast<QLineEdit*>(o))
        actual = e->text();
    else if (auto* c = qobject_cast<QComboBox*>(o))
        actual = c->currentText();
    else if (auto* b = qobject_cast<QAbstractButton*>(o))
        actual = b->text();
    QCOMPARE(actual, text);
    if (auto* c = qobject_cast<QComboBox*>(o)) {
        QCOMPARE(c->count(), 3);
        QCOMPARE(c->itemText(0), QString("cm"));
        QCOMPARE(c->itemText(1), QString("inches"));
        QCOMPARE(c->itemText(2), QString("pixels"));
        QVERIFY(c->isEditable());
    }
}

void tst_Window::buttons_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QKeySequence>("accelerator");
    QTest::newRow("bbSetup") << "bbSetup"
                             << "&Setup"
                             << "Printer setup" << QKeySequence(Qt::ALT | Qt::Key_S);
    QTest::newRow("bbInside") << "bbInside"
                              << "&Inside"
                              << "Make current size inside size (add 2 rows and 2 columns)"
                              << QKeySequence(Qt::ALT | Qt::Key_I);
    QTest::newRow("bbPrint") << "bbPrint"
                             << "&Print"
                             << "Print to current printer" << QKeySequence(Qt::ALT | Qt::Key_P);
    QTest::newRow("bbExit") << "bbExit"
                            << "E&xit"
                            << "Exit application" << QKeySequence(Qt::ALT | Qt::Key_X);
}

void tst_Window::buttons() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QFETCH(QKeySequence, accelerator);
    WindowFixture f;
    auto* b = f.window->findChild<QToolButton*>(name);
    QVERIFY(b);
    QCOMPARE(b->text(), caption);
    QCOMPARE(b->toolTip(), hint);
    QCOMPARE(b->shortcut(), accelerator);
    QCOMPARE(b->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QVERIFY(!b->icon().isNull());
    QVERIFY(!b->icon().pixmap(16, 16).isNull());
}

void tst_Window::checkBoxGaps() {
    // The distance edit and its unit lie over a run of 36 blanks in the caption.
    WindowFixture f;
    const QString gap(36, QLatin1Char(' '));
    QCOMPARE(f.window->cbFrame->text(), "Draw a frame" + gap + "around");
    QCOMPARE(f.window->cbSize->text(), "Print size" + gap + "away");
    QVERIFY(f.window->cbFrame->isChecked());
    QVERIFY(f.window->cbSize->isChecked());
    QVERIFY(!f.window->cbKeepCheckerConstant->isChecked());
    // Stacked above the check box, so they take the clicks on the gap.
    const auto& kids = f.window->gbOptions->children();
    QVERIFY(kids.indexOf(f.window->eFrameDistance) > kids.indexOf(f.window->cbFrame));
    QVERIFY(kids.indexOf(f.window->eSizeDistance) > kids.indexOf(f.window->cbSize));
}

void tst_Window::tabOrder() {
    WindowFixture f;
    TfQuadrix& w = *f.window;
    const QList<QWidget*> expected = {w.seWidth,        w.seHeight,       w.ePatternWidth,
                                      w.ePatternHeight, w.cbUnitsP,       w.cbUnitsC,
                                      w.eCheckerWidth,  w.eCheckerHeight, w.cbKeepCheckerConstant};
    for (int i = 0; i + 1 < expected.size(); ++i) {
        QWidget* next = expected[i]->nextInFocusChain();
        // Skip the current control's own parts (a combo's line edit) and
        // anything that takes no tab focus.
        while (next && ((next->focusPolicy() & Qt::TabFocus) == 0 ||
                        expected[i]->isAncestorOf(next)))
            next = next->nextInFocusChain();
        QVERIFY(next);
        // A combo takes the focus through its line edit.
        if (next->parentWidget() == expected[i + 1])
            next = next->parentWidget();
        QCOMPARE(next, expected[i + 1]);
    }
}

void tst_Window::startUp() {
    WindowFixture f;
    TfQuadrix& w = *f.window;
    QCOMPARE(w.windowTitle(), QString("Quadrix"));
    QCOMPARE(w.size(), QSize(585, 404));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(w.udWidth->position(), 5);
    QCOMPARE(w.udHeight->position(), 6);
    QCOMPARE(w.udWidth->min(), 2);
    QCOMPARE(w.udWidth->max(), 100);
    for (UnitCombo* c : {w.cbUnitsP, w.cbUnitsC, w.cbUnitsF, w.cbUnitsS})
        QCOMPARE(c->itemIndex(), 0);
    QCOMPARE(w.rgVertical->itemIndex(), 1);
    QCOMPARE(w.rgHorizontal->itemIndex(), 1);
    QCOMPARE(w.sbPanel[0]->text(), QString("Printer: Test printer"));
    QCOMPARE(w.sbPanel[1]->text(), QString("Page size: 20.32x27.94 cm"));
    QCOMPARE(w.sbPanel[2]->text(), QString("Resolution: 600x600 DPI"));
    QCOMPARE(w.unitName, QString("cm"));
    QVERIFY(!w.updating);
    QVERIFY(f.errors.isEmpty());
}

void tst_Window::statusPanelWidths() {
    WindowFixture f;
    for (int i = 0; i < 3; ++i) {
        auto* panel = f.window->findChild<QLabel*>(QStringLiteral("sbPanel%1").arg(i));
        QVERIFY(panel);
        QCOMPARE(panel->width(), 150);
    }
    QVERIFY(f.window->findChild<QLabel*>("sbPanel3"));
}

void tst_Window::placeholderReplacedByPreview() {
    WindowFixture f;
    // The first preview is built before the window is shown: 4800 x 6600 at 600 dpi.
    QCOMPARE(f.window->img->bitmap().size(), QSize(1029, 1416));
    QCOMPARE(f.window->img->shownRect().topLeft(), QPoint(0, 0));
    QCOMPARE(f.window->img->shownRect().height(), 354);
}

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
