#include "generalpage.h"

#include "dialog/inputrules.h"

#include "model/modulecatalog.h"

#include <corekit/widgets/mlineedit.h>

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

GeneralPage::GeneralPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::General, context, parent)
    , m_name(new MLineEdit(this))
    , m_comment(new QPlainTextEdit(this))
{
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_name->setMaxLength(NameMaxLength);
    m_comment->setObjectName(QStringLiteral("commentEdit"));

    auto* top = introRow(tr("You can adjust the name and comment for the object."),
                         &GeneralPage::slot_bttnDefaultGengral);

    auto* group = new QGroupBox(tr("Information"), this);
    auto* form = new QFormLayout(group);
    form->addRow(tr("Name:"), m_name);
    form->addRow(tr("Comment:"), m_comment);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group, 1);

    connect(m_comment, &QPlainTextEdit::textChanged, this, &GeneralPage::slotTextChanged);
}

void GeneralPage::load(const CpuObject& source)
{
    m_name->setText(source.descriptor.ObjName);
    m_comment->setPlainText(source.descriptor.comment);
}

void GeneralPage::apply(CpuObject& target)
{
    target.descriptor.ObjName = m_name->text();
    target.descriptor.comment = m_comment->toPlainText();
}

void GeneralPage::slot_bttnDefaultGengral()
{
    ModuleDescriptor entry;
    if (ModuleCatalog::lookup(context().descriptor.ObjID, entry) < 0)
        return;
    m_name->setText(entry.ObjName);
    m_comment->setPlainText(entry.comment);
}

void GeneralPage::slotTextChanged()
{
    InputRules::limitBytes(m_comment, CommentMaxBytes);
}
