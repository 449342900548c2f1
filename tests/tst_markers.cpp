// SPDX-License-Identifier: MIT
// The marker table against OpenCV's own dictionaries, bit for bit, and the
// refusal of boards that need more markers than their dictionary holds.
#include "target/MarkerDictionary.h"
#include "target/TargetCheck.h"

#include <QtTest>
#include <opencv2/aruco/dictionary.hpp>

Q_DECLARE_METATYPE(TargetKind)

class TestMarkers : public QObject {
    Q_OBJECT

private slots:
    void codes_data() {
        QTest::addColumn<int>("opencvId");
        using namespace cv::aruco;
        const std::pair<const char*, int> all[] = {{"DICT_4X4_50", DICT_4X4_50},
                                                   {"DICT_4X4_100", DICT_4X4_100},
                                                   {"DICT_4X4_250", DICT_4X4_250},
                                                   {"DICT_4X4_1000", DICT_4X4_1000},
                                                   {"DICT_5X5_50", DICT_5X5_50},
                                                   {"DICT_5X5_100", DICT_5X5_100},
                                                   {"DICT_5X5_250", DICT_5X5_250},
                                                   {"DICT_5X5_1000", DICT_5X5_1000},
                                                   {"DICT_6X6_50", DICT_6X6_50},
                                                   {"DICT_6X6_100", DICT_6X6_100},
                                                   {"DICT_6X6_250", DICT_6X6_250},
                                                   {"DICT_6X6_1000", DICT_6X6_1000},
                                                   {"DICT_7X7_50", DICT_7X7_50},
                                                   {"DICT_7X7_100", DICT_7X7_100},
                                                   {"DICT_7X7_250", DICT_7X7_250},
                                                   {"DICT_7X7_1000", DICT_7X7_1000},
                                                   {"DICT_ARUCO_ORIGINAL", DICT_ARUCO_ORIGINAL},
                                                   {"DICT_APRILTAG_36h11", DICT_APRILTAG_36h11}};
        QStringList names;
        for (const auto& [name, id] : all) {
            QTest::newRow(name) << id;
            names << QString::fromLatin1(name);
        }
        QCOMPARE(DictionaryNames(), names); // none missing, none extra
    }
    // Each code as OpenCV draws the marker, one pixel per bit inside a one-bit border.
    void codes() {
        QFETCH(int, opencvId);
        const auto ours = FindDictionary(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(ours);
        const cv::Ptr<cv::aruco::Dictionary> theirs = cv::aruco::getPredefinedDictionary(opencvId);
        QCOMPARE(ours->markerBits, theirs->markerSize);
        QCOMPARE(ours->count, theirs->bytesList.rows);
        const int n = ours->markerBits;
        for (int id = 0; id < ours->count; ++id) {
            cv::Mat image;
            theirs->drawMarker(id, n + 2, image, 1);
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c)
                    if (ours->bit(id, r, c) != (image.at<uchar>(r + 1, c + 1) > 127))
                        QFAIL(qPrintable(
                            QStringLiteral("marker %1 bit (%2, %3)").arg(id).arg(r).arg(c)));
        }
    }

    void names_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("found"); // empty: none
        QTest::newRow("OpenCV's name") << "DICT_5X5_100"
                                       << "DICT_5X5_100";
        QTest::newRow("lower case, no prefix") << "apriltag_36H11"
                                               << "DICT_APRILTAG_36h11";
        QTest::newRow("a prefix of a name") << "DICT_6X6_2"
                                            << "";
        QTest::newRow("not offered") << "DICT_APRILTAG_16h5"
                                     << "";
    }
    void names() {
        QFETCH(QString, typed);
        QFETCH(QString, found);
        const MarkerDictionary* d = FindDictionary(typed);
        QCOMPARE(d ? d->name : QString(), found);
    }

    void problem_data() {
        QTest::addColumn<TargetKind>("kind");
        QTest::addColumn<QString>("dictionary");
        QTest::addColumn<int>("firstId");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("problem"); // a part of the message; empty: none
        const auto C = TargetKind::Charuco;
        QTest::newRow("10 x 14, 70 markers") << C << "DICT_6X6_250" << 0 << 10 << 14 << "";
        QTest::newRow("odd count: 24 of 49") << C << "6X6_50" << 26 << 7 << 7 << "";
        QTest::newRow("all 50 used") << C << "DICT_6X6_50" << 0 << 10 << 10 << "";
        QTest::newRow("one past the last ID")
            << C << "DICT_6X6_50" << 1 << 10 << 10 << "IDs 1 to 50";
        QTest::newRow("100 x 100") << C << "DICT_6X6_1000" << 0 << 100 << 100 << "needs 5000";
        QTest::newRow("negative first ID") << C << "DICT_6X6_50" << -1 << 2 << 2 << "-1";
        QTest::newRow("unknown dictionary") << C << "DICT_9X9" << 0 << 2 << 2 << "DICT_9X9";
        QTest::newRow("AprilGrid: 587 tags fit")
            << TargetKind::AprilGrid << "DICT_4X4_50" << 0 << 1 << 587 << "";
        QTest::newRow("AprilGrid: 588 do not")
            << TargetKind::AprilGrid << "DICT_APRILTAG_36h11" << 0 << 28 << 21 << "needs 588";
        QTest::newRow("circles need none")
            << TargetKind::Circles << "DICT_9X9" << 0 << 100 << 100 << "";
    }
    void problem() {
        QFETCH(TargetKind, kind);
        QFETCH(QString, dictionary);
        QFETCH(int, firstId);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QString, problem);
        TargetOptions t;
        t.kind = kind;
        t.dictionary = dictionary;
        t.firstId = firstId;
        const QString message = TargetProblem(t, columns, rows);
        if (problem.isEmpty())
            QCOMPARE(message, QString());
        else
            QVERIFY2(message.contains(problem), qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestMarkers)
#include "tst_markers.moc"
