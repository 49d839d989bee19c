#pragma once

#include "model/cardlists.h"

#include <QWidget>

class MComboBoxEx;
class QLineEdit;

// A memory area and a bit address, written as byte number, point and bit number 0-7.
class AddressWdgt : public QWidget
{
    Q_OBJECT

public:
    explicit AddressWdgt(QWidget* parent = nullptr);

    // The areas offered; the current one stays chosen when the new list has it.
    void setAreas(const QVector<CardChoice>& areas);
    // Selects the area with this code; false (selection unchanged) when the list has none.
    bool setArea(int code);
    int area() const; // -1 when none is chosen

    void setBitAddress(quint32 bitAddress); // "byte.bit"
    void clearAddress();
    QString addressText() const;
    // The bit address of the text; -1 when the text is no address.
    int bitAddress() const { return parseBitAddress(addressText()); }

    QLineEdit* addressEdit() const { return m_address; }
    MComboBoxEx* areaList() const { return m_area; }

    // "3.7" -> 31: a byte number, a literal point and one bit number 0-7; -1 otherwise
    // (also when the bit address would not fit an int).
    static int parseBitAddress(const QString& text);

signals:
    void addressChanged(const QString& text);
    void areaChanged(int code);

private:
    MComboBoxEx* m_area;
    QLineEdit* m_address;
};
