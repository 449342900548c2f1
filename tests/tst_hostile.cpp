// SPDX-License-Identifier: MIT
// Whatever is typed into any field, under any setting, nothing crashes or runs
// away with memory (a hang meets the test's time limit), and the window still
// works afterwards.
#include "WindowFixture.h"

#include <QCheckBox>
#include <QLocale>
#include <sys/resource.h>

namespace {
// Peak resident memory of the whole sweep; a runaway allocation for a huge
// size would pass it by gigabytes.
constexpr long kMemoryCeilingKiB = 3L * 1024 * 1024;

// A few texts of each kind that has broken number handling somewhere: empty,
// signs alone, beyond the float and double ranges, NaN and infinity words,
// ten thousand digits, the other locale's separator, control characters.
const QStringList kTexts =
    QString("|-|1e|1e39|-1e39|1e308|nan|inf|1,5|1.5|-1e20|\t5|2147483648|abc").split('|')
    << QString(10000, '9') << "0." + QString(10000, '1');

} // namespace

class tst_Hostile : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    // Every unit, frame and caption on and off, each alignment, two resolutions,
    // both locales; in each setting every field gets every text in turn, then
    // Inside and Print are pressed and the window must still link sizes.
    void sweep_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("options"); // bit 0 frame, bit 1 caption
        for (int unit = 0; unit < 3; ++unit)
            for (int options = 0; options < 4; ++options)
                QTest::addRow("unit %d, options %d", unit, options) << unit << options;
    }
    void sweep() {
        QFETCH(int, unit);
        QFETCH(int, options);
        const bool odd = (unit + options) % 2;
        QLocale::setDefault(odd ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        const int dpi = odd ? 2400 : 600;
        WindowFixture f(dpi, dpi, dpi * 8, dpi * 11); // US letter
        TfQuadrix& w = *f.window;
        WindowFixture::choose(w.cbUnitsC, unit);
        w.cbFrame->setChecked(options & 1);
        w.cbSize->setChecked(options & 2);
        w.rgVertical->setItemIndex(options % 3);
        w.rgHorizontal->setItemIndex(2 - unit);
        // Every edit, the unit combos' own included.
        const QList<QLineEdit*> fields = w.findChildren<QLineEdit*>();
        QCOMPARE(fields.size(), 12);
        for (int i = 0; i < kTexts.size(); ++i) {
            for (int j = 0; j < fields.size(); ++j) {
                WindowFixture::paste(fields[j], kTexts[(i + j) % kTexts.size()]);
                QVERIFY(!w.updating);
            }
            QTest::mouseClick(w.bbInside, Qt::LeftButton);
            QTest::mouseClick(w.bbPrint, Qt::LeftButton);
        }
        QCOMPARE(f.printer->jobsBegun, f.printer->jobsFinished + f.printer->jobsAborted);

        QLocale::setDefault(QLocale::c());
        WindowFixture::choose(w.cbUnitsC, 0);
        w.cbKeepCheckerConstant->setChecked(false);
        for (auto [edit, text] : {std::pair{w.seWidth, "5"},
                                  {w.seHeight, "6"},
                                  {w.eCheckerWidth, "2"},
                                  {w.eCheckerHeight, "2.5"}})
            WindowFixture::paste(edit, text);
        QCOMPARE(w.ePatternWidth->text() + " " + w.ePatternHeight->text(), QString("10 15"));
        QCOMPARE(w.eFrameDistance->text(), QString("0.45"));
        QVERIFY(w.checkerWidthPx > 0 && !w.img->bitmap().isNull());
        QVERIFY(w.img->bitmap().width() <= 4 * w.img->width());
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        QVERIFY2(usage.ru_maxrss < kMemoryCeilingKiB, qPrintable(QString::number(usage.ru_maxrss)));
    }
};

QTEST_MAIN(tst_Hostile)
#include "tst_hostile.moc"
