#pragma once

#include <QStringList>
#include <QVector>
#include <QWidget>

class MComboBoxEx;
class MSpinBoxEx;
class QComboBox;
class QSpinBox;

// The process variable of an SOE record as one table cell: an area list of words and
// double words ("--" for none), the byte address and the format the value is shown in.
// Double words offer "float" besides "signed" and "unsigned". The children are placed by
// hand, so that the cell stays one line at any width.
class QProcessValwidget : public QWidget
{
    Q_OBJECT

public:
    // An area entry: its text and its code, type code * 256 + area code ("--" is 0).
    struct Entry
    {
        const char* name;
        int code;
    };
    static const QVector<Entry>& entries();
    static QStringList entryNames(); // translated
    // The first entry of the double words, whose format list has "float" in front.
    static constexpr int FirstDoubleWord = 7;

    // What the cell shows; -1 while no entry or format is selected.
    struct Value
    {
        int entryCode = -1;
        int address = 0;
        int formatIndex = -1;

        bool operator==(const Value& o) const
        {
            return entryCode == o.entryCode && address == o.address && formatIndex == o.formatIndex;
        }
        bool operator!=(const Value& o) const { return !(*this == o); }
    };

    // The width a cell needs in the style and font of `context`, the widget itself or the
    // table it is going into.
    static int preferredWidth(const QWidget* context);

    explicit QProcessValwidget(QWidget* parent = nullptr);

    // Selects the entry with exactly `code`, or no entry; true when one has it.
    bool setEntryCode(int code);
    int entryCode() const;

    Value value() const;
    // Selects the entry first, so that the format index refers to that entry's list; an
    // index beyond the list selects no format.
    void setValue(const Value& value);

    QComboBox* areaList() const;
    QComboBox* formatList() const;
    QSpinBox* addressField() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void valueChanged();

public slots:
    // Refills the format list when the area changes between words and double words.
    void slot_currentIndexChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutFields();

    MComboBoxEx* m_area;
    MSpinBoxEx* m_address;
    MComboBoxEx* m_format;
    bool m_doubleWordFormats = false;
};
