#include "hostfixture.h"

#include <dialog/widgets/qtriggervalwidget.h>

#include <QComboBox>
#include <QJsonDocument>
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
        const char* model = R"({"maxPouSize": 777, "objectRanges": {"53": 88}, "addrRanges":
            {"V": 111, "IEx": 22, "QEx": 33, "M": 44, "S": 55, "SM": 66, "I": 9999}})";
        m_host->setPlcModel("TEST-PLC", QJsonDocument::fromJson(model).object());
        m_project = m_host->writeProject(QStringLiteral("p.json"), QStringLiteral("TEST-PLC"));
    }

    // Each area takes its ranges from its own key of the PLC facts; only "DB" shows the
    // data-block number, up to the largest block.
    void triggerRanges_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("byteMax");
        const int maxima[] = {111, 22, 33, 44, 55, 66, 777}; // V, I=IEx, Q=QEx, M, S, SM, DB
        for (int entry = 0; entry < 7; ++entry)
            QTest::addRow("%d", entry) << entry << maxima[entry];
    }

    void triggerRanges()
    {
        QFETCH(int, entry);
        QFETCH(int, byteMax);
        const bool dataBlock = entry == 6;
        QTriggerValWidget trigger(m_project);
        trigger.show();
        trigger.areaList()->setCurrentIndex(dataBlock ? 0 : 6); // so that the ranges change
        QSignalSpy changed(&trigger, &QTriggerValWidget::valueChanged);
        trigger.areaList()->setCurrentIndex(entry);
        QVERIFY(changed.count() >= 1);
        QCOMPARE(trigger.byteField()->maximum(), byteMax);
        QCOMPARE(trigger.dbNumberField()->isVisible(), dataBlock);
        QCOMPARE(trigger.dbNumberField()->maximum(), 88);
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
