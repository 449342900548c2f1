// The window as built: every control where the layout puts it, with its text,
// and the start-up state read from the printer.
#include "WindowFixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

class tst_Window : public QObject {
    Q_OBJECT
private slots:
    void controls_data();
    void controls();
    void buttons();
    void checkBoxCaptions();
    void tabOrder();
    void startUp();
};

void tst_Window::controls_data() {
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");
    const struct {
        const char* name;
        int x, y, w, h;
        const char* text;
    } rows[] = {
        {"gbPattern", 8, 0, 241, 74, "Pattern size:"},
        {"lPatWidth", 9, 22, 28, 13, "Width"},
        {"lPatternHeight", 93, 22, 31, 13, "Height"},
        {"Label1", 180, 22, 42, 13, "checkers"},
        {"Label2", 9, 47, 28, 13, "Width"},
        {"Label3", 93, 47, 31, 13, "Height"},
        {"ePatternWidth", 43, 44, 44, 21, "15"},
        {"ePatternHeight", 130, 44, 44, 21, "18"},
        {"cbUnitsP", 180, 44, 51, 21, "cm"},
        {"udWidth", 73, 17, 16, 21, ""},
        {"seWidth", 43, 17, 30, 21, "5"},
        {"udHeight", 160, 17, 16, 21, ""},
        {"seHeight", 130, 17, 30, 21, "6"},
        {"gbChecker", 8, 80, 241, 49, "Checker size:"},
        {"lCheckerWidth", 9, 22, 28, 13, "Width"},
        {"lCheckerHeight", 93, 22, 31, 13, "Height"},
        {"cbUnitsC", 180, 19, 51, 21, "cm"},
        {"eCheckerWidth", 43, 19, 44, 21, "3"},
        {"eCheckerHeight", 130, 19, 44, 21, "3"},
        {"cbKeepCheckerConstant", 144, -2, 87, 17, "Keep constant"},
        {"gbAlignment", 8, 133, 241, 100, "Alignment:"},
        {"rgVertical", 9, 54, 222, 35, "Vertical:"},
        {"rgHorizontal", 9, 14, 222, 34, "Horizontal:"},
        {"gbOptions", 8, 237, 241, 68, "Options:"},
        {"cbFrame", 9, 16, 229, 17, nullptr},
        {"eFrameDistance", 95, 14, 44, 21, "0.6"},
        {"cbUnitsF", 145, 14, 51, 21, "cm"},
        {"cbSize", 9, 41, 200, 17, nullptr},
        {"eSizeDistance", 73, 39, 44, 21, "0.3"},
        {"cbUnitsS", 123, 39, 51, 21, "cm"},
        {"gbCommands", 8, 311, 241, 66, "Commands:"},
        {"bbSetup", 9, 16, 52, 42, "&Setup"},
        {"bbInside", 66, 16, 52, 42, "&Inside"},
        {"bbPrint", 123, 16, 52, 42, "&Print"},
        {"bbExit", 180, 16, 52, 42, "E&xit"},
        {"gbPreview", 255, 0, 322, 377, "Preview:"},
        {"img", 8, 15, 303, 354, ""},
        {"sb", 0, 385, 585, 19, ""},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << QRect(r.x, r.y, r.w, r.h)
                              << (r.text ? QString::fromLatin1(r.text) : QString());
}

void tst_Window::controls() {
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    WindowFixture f;
    auto* w = f.window->findChild<QWidget*>(QTest::currentDataTag());
    QVERIFY(w);
    QCOMPARE(w->geometry(), rect);
    if (text.isNull())
        return;
    QString actual;
    if (auto* g = qobject_cast<QGroupBox*>(w))
        actual = g->title();
    else if (auto* l = qobject_cast<QLabel*>(w))
        actual = l->text();
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        actual = e->text();
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        actual = b->text();
    else if (auto* c = qobject_cast<QComboBox*>(w)) {
        actual = c->currentText();
        QVERIFY(c->isEditable());
        QCOMPARE(QStringList({c->itemText(0), c->itemText(1), c->itemText(2)}),
                 QStringList({"cm", "inches", "pixels"}));
    }
    QCOMPARE(actual, text);
}

void tst_Window::buttons() {
    WindowFixture f;
    const struct {
        QToolButton* button;
        const char* hint;
        QKeySequence key;
    } rows[] = {
        {f.window->bbSetup, "Printer setup", QKeySequence(Qt::ALT | Qt::Key_S)},
        {f.window->bbInside, "Make current size inside size (add 2 rows and 2 columns)",
         QKeySequence(Qt::ALT | Qt::Key_I)},
        {f.window->bbPrint, "Print to current printer", QKeySequence(Qt::ALT | Qt::Key_P)},
        {f.window->bbExit, "Exit application", QKeySequence(Qt::ALT | Qt::Key_X)},
    };
    for (const auto& r : rows) {
        QCOMPARE(r.button->toolTip(), QString::fromLatin1(r.hint));
        QCOMPARE(r.button->shortcut(), r.key);
        QCOMPARE(r.button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY(!r.button->icon().pixmap(16, 16).isNull());
    }
}

void tst_Window::checkBoxCaptions() {
    // The distance edit and its unit lie over a run of 36 blanks in the
    // caption, stacked above the check box, and the whole caption still fits.
    WindowFixture f;
    const QString gap(36, QLatin1Char(' '));
    const struct {
        QCheckBox* box;
        QString text;
        QWidget* unit;
    } rows[] = {{f.window->cbFrame, "Draw a frame" + gap + "around", f.window->cbUnitsF},
                {f.window->cbSize, "Print size" + gap + "away", f.window->cbUnitsS}};
    for (const auto& r : rows) {
        QCOMPARE(r.box->text(), r.text);
        QVERIFY(r.box->isChecked());
        QVERIFY(r.box->fontMetrics().horizontalAdvance(r.text) <= captionRoom(r.box));
        const auto& kids = f.window->gbOptions->children();
        QVERIFY(kids.indexOf(r.unit) > kids.indexOf(r.box));
    }
    QVERIFY(!f.window->cbKeepCheckerConstant->isChecked());
}

void tst_Window::tabOrder() {
    WindowFixture f;
    TfQuadrix& w = *f.window;
    const QList<QWidget*> expected = {w.seWidth,        w.seHeight,       w.ePatternWidth,
                                      w.ePatternHeight, w.cbUnitsP,       w.cbUnitsC,
                                      w.eCheckerWidth,  w.eCheckerHeight, w.cbKeepCheckerConstant,
                                      w.cbFrame,        w.eFrameDistance, w.cbUnitsF,
                                      w.cbSize,         w.eSizeDistance,  w.cbUnitsS,
                                      w.bbSetup,        w.bbInside,       w.bbPrint,
                                      w.bbExit};
    for (int i = 0; i + 1 < expected.size(); ++i) {
        QWidget* next = expected[i]->nextInFocusChain();
        // Skip a combo's own line edit, the radio items and what takes no tab focus.
        while (next && ((next->focusPolicy() & Qt::TabFocus) == 0 ||
                        expected[i]->isAncestorOf(next) || w.gbAlignment->isAncestorOf(next)))
            next = next->nextInFocusChain();
        QVERIFY(next);
        if (next->parentWidget() == expected[i + 1])
            next = next->parentWidget();
        QCOMPARE(next, expected[i + 1]);
    }
}

void tst_Window::startUp() {
    WindowFixture f;
    TfQuadrix& w = *f.window;
    QCOMPARE(w.windowTitle(), QString("Quadrix"));
    QCOMPARE(w.minimumSize(), QSize(585, 404));
    QCOMPARE(w.maximumSize(), QSize(585, 404));
    QCOMPARE(w.udWidth->position(), 5);
    QCOMPARE(w.udHeight->position(), 6);
    QCOMPARE(w.udWidth->max(), 100);
    QCOMPARE(w.udHeight->min(), 2);
    for (UnitCombo* c : {w.cbUnitsP, w.cbUnitsC, w.cbUnitsF, w.cbUnitsS})
        QCOMPARE(c->itemIndex(), 0);
    QCOMPARE(w.rgVertical->itemIndex(), 1);
    QCOMPARE(w.rgHorizontal->itemIndex(), 1);
    const QStringList panels = {"Printer: Test printer", "Page size: 20.32x27.94 cm",
                                "Resolution: 600x600 DPI", "Quadrix 1.0"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("sbPanel%1").arg(i))->text(), panels[i]);
        if (i < 3)
            QCOMPARE(w.sbPanel[i]->width(), 150);
    }
    // The first preview replaces the placeholder before the window is shown.
    QCOMPARE(w.img->bitmap().size(), QSize(1029, 1416));
    QCOMPARE(w.img->shownRect(), QRect(0, 0, 257, 354));
    QVERIFY(f.errors.isEmpty());
}

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
