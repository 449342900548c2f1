// The window driven from the keyboard, the wheel and the unit lists as a user
// drives it, and what the preview control paints.
#include "WindowFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QRadioButton>
#include <QWheelEvent>

namespace {
// One user step on a unit combo: "C type pixels", "C key Down", "C wheel", or
// "C list Up Return" (open the list, move in it, pick).
void act(TfQuadrix& w, const QString& step) {
    const QStringList p = step.split(QLatin1Char(' '));
    auto* combo = w.findChild<UnitCombo*>(QStringLiteral("cbUnits") + p[0]);
    combo->setFocus();
    if (p[1] == "type") {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, p[2]);
    } else if (p[1] == "wheel") { // one notch towards the user
        QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
    } else { // keys on the combo, or on its list opened
        QWidget* target = combo;
        if (p[1] == "list") {
            combo->showPopup();
            target = combo->view();
        }
        for (const QString& key : p.mid(2))
            QTest::keyClick(target, QKeySequence::fromString(key)[0].key());
    }
}

// Mean grey level of a picture within rect.
double meanGrey(const QImage& image, const QRect& rect) {
    double sum = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            sum += qGray(image.pixel(x, y));
    return sum / (double(rect.width()) * rect.height());
}
} // namespace

class tst_WindowInput : public QObject {
    Q_OBJECT
private slots:
    void unitCombos_data() {
        QTest::addColumn<QStringList>("steps"); // the last one is counted
        QTest::addColumn<int>("unit");
        QTest::addColumn<QStringList>("texts"); // cbUnitsP, C, F, S
        QTest::addColumn<int>("changes");
        const struct {
            const char *name, *steps;
            int unit;
            const char* texts;
            int changes;
        } rows[] = {
            {"last typed, Down", "C type pixels;C key Down", 2, "pixels|pixels|pixels|pixels", 0},
            {"typed, Down", "C type inches;C key Down", 2, "pixels|pixels|pixels|pixels", 1},
            {"typed, wheel", "C type inch;C wheel", 2, "pixels|pixels|pixels|pixels", 1},
            {"typed, list", "P type inches;P list Down Return", 2, "pixels|pixels|pixels|pixels",
             1},
            {"typed none, Down", "C type x;C key Down", 0, "cm|cm|cm|cm", 1},
            {"typed, Return", "C type inches;C key Return", 1, "inches|inches|inches|inches", 0},
            {"typed caps, Enter", "C type INCHES;C key Enter", 1, "inches|inches|inches|inches", 0},
            {"typed caps, Tab", "C type INCHES;C key Tab", 1, "inches|inches|inches|inches", 0},
            {"typed inside", "C type inches;C key Home X Y", -1, "|xyinches||", 2},
            {"same index rewrites", "P type pixel;P key Delete;C list Return", 2,
             "pixels|pixels|pixels|pixels", 1},
            {"none clears", "F type x;C type x", -1, "|x||", 1},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << QString(r.steps).split(';') << r.unit
                                  << QString(r.texts).split('|') << r.changes;
    }

    // A typed unit is where keys, wheel and list go on from; one user change,
    // one recompute; every combo the code selects shows its item's text.
    void unitCombos() {
        QFETCH(QStringList, steps);
        QFETCH(int, unit);
        QFETCH(QStringList, texts);
        QFETCH(int, changes);
        WindowFixture f;
        TfQuadrix& w = *f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QString last = steps.takeLast();
        for (const QString& s : steps)
            act(w, s);
        QSignalSpy spy(&w, &TfQuadrix::changeDone);
        act(w, last);
        QCOMPARE(w.cbUnitsC->itemIndex(), unit);
        QCOMPARE(QStringList({w.cbUnitsP->currentText(), w.cbUnitsC->currentText(),
                              w.cbUnitsF->currentText(), w.cbUnitsS->currentText()}),
                 texts);
        QCOMPARE(spy.count(), changes);
    }

    void keyboard_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("rebuilds");
        const struct {
            const char *name, *start, *keys, *focus;
            int rebuilds;
        } rows[] = {
            {"Tab, Space", "cbKeepCheckerConstant", "Tab Space", "rgVerticalItem1", 0},
            {"Backtab", "cbFrame", "Backtab", "rgHorizontalItem1", 0},
            {"Right", "rgVerticalItem1", "Right", "rgVerticalItem2", 1},
            {"Down, Down", "rgVerticalItem1", "Down Down", "rgVerticalItem0", 2},
            {"Up, Up, out and back", "rgHorizontalItem1", "Up Up Backtab Tab", "rgHorizontalItem2",
             2},
            {"Return on Inside", "bbInside", "Return", "bbInside", 2},
            {"Enter on Setup", "bbSetup", "Num+Enter", "bbSetup", 1},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.start << QString(r.keys).split(' ') << r.focus << r.rebuilds;
    }

    // An alignment group is one tab stop, its checked item; arrows select the
    // next item as a click does; Enter or Return clicks a focused button.
    void keyboard() {
        QFETCH(QString, start);
        QFETCH(QStringList, keys);
        QFETCH(QString, focus);
        QFETCH(int, rebuilds);
        WindowFixture f;
        TfQuadrix& w = *f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.findChild<QWidget*>(start)->setFocus();
        QSignalSpy spy(&w, &TfQuadrix::previewRebuilt);
        for (const QString& key : keys) {
            const QKeyCombination k = QKeySequence::fromString(key)[0];
            QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        if (auto* item = qobject_cast<QRadioButton*>(QApplication::focusWidget()))
            QVERIFY(item->isChecked());
        QCOMPARE(spy.count(), rebuilds);
    }

    // The control paints what its bitmap holds, also when the rebuild stopped on
    // an error before its own refresh: the white page, not the last good board.
    void previewShowsBitmap() {
        WindowFixture f;
        TfQuadrix& w = *f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        double held[2] = {};
        for (int turn = 0; turn < 2; ++turn) {
            WindowFixture::type(w.eCheckerWidth, turn == 0 ? "" : "2");
            QCOMPARE(f.errors.size(), 1);
            QCoreApplication::processEvents();
            const QRect shown = w.img->shownRect();
            held[turn] = meanGrey(w.img->bitmap(), w.img->bitmap().rect());
            const QImage onScreen = w.screen()->grabWindow(w.winId()).toImage();
            const QRect there = shown.translated(w.img->mapTo(&w, QPoint(0, 0)));
            QVERIFY(qAbs(meanGrey(onScreen, there) - held[turn]) < 2.0);
            QVERIFY(qAbs(meanGrey(w.img->grab().toImage(), shown) - held[turn]) < 2.0);
        }
        QVERIFY(held[0] > 254.0); // the page only, cleared white
        QVERIFY(held[1] < 240.0); // the board again
    }
};

QTEST_MAIN(tst_WindowInput)
#include "tst_windowinput.moc"
