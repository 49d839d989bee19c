#pragma once

#include "dialog/dialogpage.h"

class MLineEdit;
class QPlainTextEdit;

// The module's name and comment.
class GeneralPage : public DialogPage
{
    Q_OBJECT

public:
    static constexpr int NameMaxLength = 24;
    static constexpr int CommentMaxBytes = 250;

    explicit GeneralPage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;

public slots:
    // Name and comment of the module's catalog entry.
    void slot_bttnDefaultGengral();
    // Keeps the comment within its byte limit, cutting at the cursor.
    void slotTextChanged();

private:
    MLineEdit* m_name;
    QPlainTextEdit* m_comment;
};
