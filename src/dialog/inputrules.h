#pragma once

class QLineEdit;
class QObject;
class QPlainTextEdit;
class QValidator;

// Input rules that several pages share.
class InputRules
{
public:
    // Any number of ASCII letters, digits and the punctuation of a US keyboard, no blanks:
    // what the device accepts in names and passwords.
    static QValidator* passwordCharacters(QObject* parent);

    // Keeps a field within `maxBytes` in the local 8-bit encoding as the user types: while
    // the text is longer, the character before the cursor goes; then the text and the
    // cursor are set back. Call it from the field's text-changed handler.
    static void limitBytes(QLineEdit* edit, int maxBytes);
    static void limitBytes(QPlainTextEdit* edit, int maxBytes);
};
