#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

class MComboBoxEx;
class MSpinBoxEx;
class QComboBox;
class QLabel;
class QSpinBox;

// The trigger bit of an SOE record as one table cell: an area list, the data-block number
// (shown only for the data-block area), the byte address, "." and the bit. The ranges of
// the fields follow the selected area, from the PLC facts of the project's PLC type. The
// children are placed by hand, so that the cell stays one line at any width; the size hint
// leaves room for the data-block number whatever the area.
class QTriggerValWidget : public QWidget
{
    Q_OBJECT

public:
    // An area entry: its text and its code, type code * 256 + area code.
    struct Entry
    {
        const char* name;
        int code;
    };
    static const QVector<Entry>& entries();
    static QStringList entryNames(); // translated
    static constexpr int DataBlockArea = 0x85;

    // The width a cell needs in the style and font of `context`, the widget itself or the
    // table it is going into.
    static int preferredWidth(const QWidget* context);

    // What the cell shows; entryCode is -1 while no entry is selected.
    struct Value
    {
        int entryCode = -1;
        int dbNumber = 0;
        int byteAddress = 0;
        int bit = 0;

        bool operator==(const Value& o) const
        {
            return entryCode == o.entryCode && dbNumber == o.dbNumber &&
                   byteAddress == o.byteAddress && bit == o.bit;
        }
        bool operator!=(const Value& o) const { return !(*this == o); }
    };

    // `projectPath` names the project whose PLC type decides the ranges.
    explicit QTriggerValWidget(const QString& projectPath, QWidget* parent = nullptr);

    // Selects the entry with `code`; without one, the entry of the same area code (the
    // type code of a bit trigger is not shown); without that, no entry. True when an entry
    // with exactly that code exists.
    bool setEntryCode(int code);
    int entryCode() const;

    Value value() const;
    // Selects the entry first, so that the numbers meet the ranges of their area; numbers
    // outside those ranges show as the nearest bound.
    void setValue(const Value& value);

    QComboBox* areaList() const;
    QSpinBox* dbNumberField() const;
    QSpinBox* byteField() const;
    QSpinBox* bitField() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // The area or one of the numbers changed.
    void valueChanged();

public slots:
    void slot_areaCurrentIndexChanged(int index);
    void slot_valueChanged(int value);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutFields();

    QString m_projectPath;
    MComboBoxEx* m_area;
    MSpinBoxEx* m_dbNumber;
    MSpinBoxEx* m_byte;
    QLabel* m_dot;
    MSpinBoxEx* m_bit;
};
