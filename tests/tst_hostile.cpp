// Whatever is typed into any field, under any setting, nothing crashes, hangs
// or runs away with memory, and the window still works afterwards.
#include "WindowFixture.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLocale>
#include <sys/resource.h>

namespace {
// A rebuild far slower than this is a hang, not a slow machine (sanitizer
// builds included).
constexpr qint64 kHangGuardMs = 10000;
// Peak resident memory of the whole sweep; a runaway allocation for a huge
// size would pass it by gigabytes.
constexpr long kMemoryCeilingKiB = 3L * 1024 * 1024;

QStringList hostileTexts() {
    // clang-format off
    return {"", " ", "-", ".", "1e", "1e38", "1e39", "-1e39", "1e308", "1e-45", "nan", "inf",
            "-0", "0", "1,5", "1.5", "-3", "-1e20", "1e30", QString(10000, QLatin1Char('9')),
            "0." + QString(10000, QLatin1Char('1')), "\t5", "5 E 2", "0x10", "1e-308",
            "2147483648", "-2147483649", "32768", "abc"};
    // clang-format on
}

struct Config {
    int dpi;
    int unit;
    bool frame;
    bool caption;
    int vertical;
    int horizontal;
    bool comma;
};

QList<Config> configs() {
    QList<Config> all;
    for (int dpi : {600, 2400})
        for (int unit = 0; unit < 3; ++unit)
            for (int options = 0; options < 4; ++options)
                for (int v = 0; v < 3; ++v)
                    for (int h = 0; h < 3; ++h)
                        all.append({dpi, unit, (options & 1) != 0, (options & 2) != 0, v, h,
                                    (all.size() % 2) == 1});
    return all;
}
} // namespace

class tst_Hostile : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void everyTextIntoEveryField_data();
    void everyTextIntoEveryField();
    void everySetting();

private:
    void typeGuarded(TfQuadrix& w, QWidget* field, const QString& text);
    static QList<QWidget*> fields(TfQuadrix& w);
    static void checkStillWorks(WindowFixture& f);
};

QList<QWidget*> tst_Hostile::fields(TfQuadrix& w) {
    return {w.seWidth,        w.seHeight,      w.ePatternWidth,  w.ePatternHeight,
            w.cbUnitsP,       w.eCheckerWidth, w.eCheckerHeight, w.cbUnitsC,
            w.eFrameDistance, w.cbUnitsF,      w.eSizeDistance,  w.cbUnitsS};
}

void tst_Hostile::typeGuarded(TfQuadrix& w, QWidget* field, const QString& text) {
    QElapsedTimer timer;
    timer.start();
    auto* edit = qobject_cast<QLineEdit*>(field);
    if (!edit)
        edit = qobject_cast<QComboBox*>(field)->lineEdit();
    WindowFixture::paste(edit, text);
    QVERIFY2(timer.elapsed() < kHangGuardMs, qPrintable(field->objectName()));
    QVERIFY(!w.updating);
}

void tst_Hostile::checkStillWorks(WindowFixture& f) {
    TfQuadrix& w = *f.window;
    QLocale::setDefault(QLocale::c());
    WindowFixture::choose(w.cbUnitsC, 0);
    w.cbSize->setChecked(true);
    w.cbKeepCheckerConstant->setChecked(false);
    WindowFixture::type(w.seWidth, "5");
    WindowFixture::type(w.seHeight, "6");
    WindowFixture::type(w.eCheckerWidth, "2");
    WindowFixture::type(w.eCheckerHeight, "2.5");
    QCOMPARE(w.ePatternWidth->text(), QString("10"));
    QCOMPARE(w.ePatternHeight->text(), QString("15"));
    QCOMPARE(w.eFrameDistance->text(), QString("0.45"));
    QCOMPARE(w.unitName, QString("cm"));
    QVERIFY(w.checkerWidthPx > 0);
    QVERIFY(!w.img->bitmap().isNull());
    QVERIFY(w.img->bitmap().width() <= 4 * w.img->width());
}

void tst_Hostile::everyTextIntoEveryField_data() {
    QTest::addColumn<bool>("comma");
    QTest::newRow("point locale") << false;
    QTest::newRow("comma locale") << true;
}

void tst_Hostile::everyTextIntoEveryField() {
    QFETCH(bool, comma);
    if (comma)
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    WindowFixture f;
    TfQuadrix& w = *f.window;
    for (QWidget* field : fields(w))
        for (const QString& text : hostileTexts()) {
            typeGuarded(w, field, text);
            if (QTest::currentTestFailed())
                return;
        }
    QTest::mouseClick(w.bbInside, Qt::LeftButton);
    QTest::mouseClick(w.bbPrint, Qt::LeftButton);
    checkStillWorks(f);
}

void tst_Hostile::everySetting() {
    const QStringList texts = hostileTexts();
    int turn = 0;
    for (const Config& c : configs()) {
        QLocale::setDefault(c.comma ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        // A US-letter page at the printer's resolution.
        WindowFixture f(c.dpi, c.dpi, c.dpi * 8, c.dpi * 11);
        TfQuadrix& w = *f.window;
        WindowFixture::choose(w.cbUnitsC, c.unit);
        w.cbFrame->setChecked(c.frame);
        w.cbSize->setChecked(c.caption);
        w.rgVertical->setItemIndex(c.vertical);
        w.rgHorizontal->setItemIndex(c.horizontal);
        const QList<QWidget*> all = fields(w);
        for (int i = 0; i < all.size(); ++i) {
            typeGuarded(w, all[i], texts[(turn + i) % texts.size()]);
            if (QTest::currentTestFailed())
                return;
        }
        ++turn;
        QTest::mouseClick(w.bbInside, Qt::LeftButton);
        QTest::mouseClick(w.bbPrint, Qt::LeftButton);
        QCOMPARE(f.printer->jobsBegun, f.printer->jobsFinished + f.printer->jobsAborted);
        checkStillWorks(f);
        if (QTest::currentTestFailed())
            return;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    QVERIFY2(usage.ru_maxrss < kMemoryCeilingKiB, qPrintable(QString::number(usage.ru_maxrss)));
}

QTEST_MAIN(tst_Hostile)
#include "tst_hostile.moc"
