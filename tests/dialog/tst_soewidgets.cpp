#include "hostfixture.h"

#include <dialog/widgets/qtriggervalwidget.h>

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QtTest>

#include <memory>

// The SOE table's cell editors on their own.
class TestSoeWidgets : public QObject
{
    Q_OBJECT

    std::unique_ptr<HostFixture> m_host;
    QString m_project;

private slots:
    void init()
    {
        m_host.reset();
        m_host = std::make_unique<HostFixture>();
        // Every area its own size, so that a wrong key shows.
        m_host->setPlcModel(QStringLiteral("TEST-PLC"),
                            QJsonObject{{"maxPouSize", 777},
                                        {"objectRanges", QJsonObject{{"53", 88}}},
                                        {"addrRanges", QJsonObject{{"V", 111},
                                                                   {"IEx", 22},
                                                                   {"QEx", 33},
                                                                   {"M", 44},
                                                                   {"S", 55},
                                                                   {"SM", 66},
                                                                   {"I", 9999}}}});
        m_project = m_host->writeProject(QStringLiteral("p.json"), QStringLiteral("TEST-PLC"));
    }

    // Each area takes its ranges from its own key of the PLC facts; only "DB" shows and
    // enables the data-block number.
    void triggerRanges_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("byteMax");
        QTest::addColumn<bool>("dataBlock");
        QTest::newRow("V") << 0 << "V" << 111 << false;
        QTest::newRow("I is IEx") << 1 << "I" << 22 << false;
        QTest::newRow("Q is QEx") << 2 << "Q" << 33 << false;
        QTest::newRow("M") << 3 << "M" << 44 << false;
        QTest::newRow("S") << 4 << "S" << 55 << false;
        QTest::newRow("SM") << 5 << "SM" << 66 << false;
        QTest::newRow("DB: largest block") << 6 << "DB" << 777 << true;
    }

    void triggerRanges()
    {
        QFETCH(int, entry);
        QFETCH(QString, name);
        QFETCH(int, byteMax);
        QFETCH(bool, dataBlock);
        QTriggerValWidget trigger(m_project);
        trigger.show();
        // Come from the other kind of area, so that the ranges really change.
        trigger.areaList()->setCurrentIndex(dataBlock ? 0 : 6);
        QSignalSpy changed(&trigger, &QTriggerValWidget::valueChanged);
        trigger.areaList()->setCurrentIndex(entry);
        QVERIFY(changed.count() >= 1);
        QCOMPARE(trigger.areaList()->currentText(), name);
        QCOMPARE(trigger.byteField()->maximum(), byteMax);
        QCOMPARE(trigger.bitField()->maximum(), 7);
        QCOMPARE(trigger.dbNumberField()->isVisible(), dataBlock);
        QCOMPARE(trigger.dbNumberField()->isEnabled(), dataBlock);
        if (dataBlock) {
            QCOMPARE(trigger.dbNumberField()->minimum(), 1);
            QCOMPARE(trigger.dbNumberField()->maximum(), 88);
        }
        // Laid out in one line, left to right, nothing overlapping: area, [block,] byte, ".",
        // bit.
        trigger.resize(trigger.sizeHint());
        QCoreApplication::processEvents();
        QList<QWidget*> order{trigger.areaList()};
        if (dataBlock)
            order << trigger.dbNumberField();
        order << trigger.byteField() << trigger.findChild<QLabel*>() << trigger.bitField();
        for (int i = 1; i < order.size(); ++i)
            QVERIFY2(order.at(i - 1)->geometry().right() < order.at(i)->geometry().left(),
                     qPrintable(order.at(i)->objectName()));
        QVERIFY(order.last()->geometry().right() < trigger.width());
    }

    // A stored code selects its entry, or the entry of its area (bit triggers are shown
    // without their type code), or nothing.
    void triggerEntryFallback_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<int>("index");
        QTest::newRow("V bit") << 0x184 << true << 0;
        QTest::newRow("data block") << 0x185 << true << 6;
        QTest::newRow("byte type in V") << 0x284 << false << 0;
        QTest::newRow("SM word") << 0x405 << false << 5;
        QTest::newRow("timer") << 0x1F1F << false << -1;
        QTest::newRow("nothing") << 0 << false << -1;
    }

    void triggerEntryFallback()
    {
        QFETCH(int, code);
        QFETCH(bool, exact);
        QFETCH(int, index);
        QTriggerValWidget trigger(m_project);
        trigger.areaList()->setCurrentIndex(3);
        QCOMPARE(trigger.setEntryCode(code), exact);
        QCOMPARE(trigger.areaList()->currentIndex(), index);
        QCOMPARE(trigger.entryCode(), index < 0 ? -1 : QTriggerValWidget::entries()[index].code);
    }
};

QTEST_MAIN(TestSoeWidgets)
#include "tst_soewidgets.moc"
