#include "dialogpage.h"

DialogPage::DialogPage(const DialogContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
{}
