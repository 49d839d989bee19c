#pragma once

#include "dialog/checkfailure.h"

#include "opcua/opcuasettings.h"
#include "opcua/opcuasettingscodec.h"

#include <QByteArray>
#include <QHash>
#include <QWidget>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QStandardItemModel;
class QTableView;

// The OPC UA server's settings page (tab "Login configuration"): the server switch, the
// login modes with their users, the server's parameters and the hidden certificate
// settings. It is built from a settings payload and hands one back; it never touches the
// configuration object itself.
class OPCUAWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MaxUsers = 20; // rows of the users table
    static constexpr int MaxNameLength = 32;

    // Builds the page with its defaults, keeps `settings` and loads it.
    explicit OPCUAWidget(const QByteArray& settings, QWidget* parent = nullptr);

    // The settings payload of the controls as they are.
    QByteArray settingsData() const;
    // The controls as a record (texts read as decimal integers, cut to their fields).
    OpcUaSettings settingsRecord() const;
    // Keeps `settings` and loads it; an empty array changes nothing.
    void importSettings(const QByteArray& settings);
    // Shows the kept payload: every field it holds, the security flag both ways and the
    // certificate texts; the users it holds replace the table's. Fields a short payload
    // lacks keep what the controls show; an empty payload changes nothing.
    void loadSettings();

    // The checks of OK; they only read the controls.
    bool isServerEnabled() const;
    // The first failing check of OpcUaSettingsRules on the controls' values; nothing while
    // the server is off. User names count on the rows that carry a name, the last row once
    // it will be written.
    CheckResult validateOpcUaSettings() const;

signals:
    void signal_importData();
    void signal_exportData();

public slots:
    void restoreDefaults();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void slot_usersDoubleClicked(const QModelIndex& index);
    void slot_usersMenuRequested(const QPoint& pos);
    void slot_deleteUser();

private:
    void buildControls();
    QLineEdit* numberField(const char* name, qint64 bottom, qint64 top);
    // Shows the fields of `s` that come before `upTo`.
    void showSettings(const OpcUaSettings& s, OpcUaSettingsField upTo);
    void setUsers(const QVector<OpcUaSettings::User>& users);
    void appendUserRow(const OpcUaSettings::User& user = {});
    OpcUaSettings::User userAt(int row) const;
    void updateRules();
    static qint64 numberOf(const QLineEdit* field);

    QByteArray m_settings;

    QCheckBox* m_server = nullptr;
    QCheckBox* m_anonymous = nullptr;
    QCheckBox* m_authentication = nullptr;
    QLabel* m_warning = nullptr;
    QTableView* m_usersView = nullptr;
    QStandardItemModel* m_users = nullptr;
    QMenu* m_usersMenu = nullptr;
    QAction* m_deleteUser = nullptr;
    QGroupBox* m_configuration = nullptr;
    QLineEdit* m_serverName = nullptr;
    QLineEdit* m_port = nullptr;
    QLineEdit* m_sessionTimeout = nullptr;
    QComboBox* m_maxSessions = nullptr;
    QComboBox* m_samplingInterval = nullptr;
    QLineEdit* m_publishingInterval = nullptr;
    QLineEdit* m_monitoredItems = nullptr;
    QGroupBox* m_security = nullptr;
    QCheckBox* m_encryption = nullptr;
    QLineEdit* m_certificateContent = nullptr;
    QLineEdit* m_keyContent = nullptr;
    QLineEdit* m_certificateUri = nullptr;
    QLineEdit* m_certificateFileName = nullptr;
    QList<QWidget*> m_securityFields; // labels and edits that follow the encryption box
    QLabel* m_rangeHint = nullptr;
    QHash<QObject*, QString> m_rangeHints; // shown while the field has the focus
};
