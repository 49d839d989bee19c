#include "opcuainterfaceview.h"

#include "opcuainterfacetreemodel.h"

#include "opcua/opcuainterfacecodec.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kOpenAllUpTo = 200;

} // namespace

OpcUaInterfaceView::OpcUaInterfaceView(const QByteArray& payload, QWidget* parent)
    : OpcUaInterfaceTab(parent)
    , m_payload(payload)
{
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("interfaceNote"));
    m_note->setWordWrap(true);
    m_model = new OpcUaInterfaceTreeModel(this);
    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("interfaceTree"));
    m_tree->setModel(m_model);
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setSectionResizeMode(QHeaderView::Interactive);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_note);
    layout->addWidget(m_tree, 1);
    showPayload();
}

void OpcUaInterfaceView::setInterfaceData(const QByteArray& payload)
{
    m_payload = payload;
    showPayload();
}

void OpcUaInterfaceView::importInterfaces(const QByteArray& payload)
{
    if (payload.isEmpty())
        return;
    setInterfaceData(payload);
}

void OpcUaInterfaceView::showPayload()
{
    OpcUaInterfaceDecode read;
    if (!m_payload.isEmpty())
        read = OpcUaInterfaceCodec::decode(m_payload, OpcUaInterfaceCodec::MaxVariables);
    const int interfaces = int(read.interfaces.size());
    const int variables = OpcUaInterfaceCodec::recordCount(read.interfaces);
    QString note = tr("The server interface as stored, read only: %1 interfaces, %2 variables.")
                       .arg(interfaces)
                       .arg(variables);
    if (read.overLimit) {
        read.interfaces.clear();
        note = tr("The stored server interface publishes %1 variables, more than %2; it is not "
                  "shown. OK keeps it unchanged.")
                   .arg(read.declaredVariables)
                   .arg(OpcUaInterfaceCodec::MaxVariables);
    } else if (!m_payload.isEmpty() && !read.complete()) {
        note += QLatin1Char(' ') + tr("Not everything stored can be shown (%1); OK keeps the "
                                      "stored data unchanged.")
                                       .arg(read.reason());
    }
    m_note->setText(note);
    m_model->setInterfaces(std::move(read.interfaces));
    // The root and the interfaces open; data blocks too while the tree is small.
    if (variables <= kOpenAllUpTo)
        m_tree->expandAll();
    else
        m_tree->expandToDepth(1);
    // Measures the header and the rows on screen only.
    for (int column = 0; column < OpcUaInterfaceTreeModel::Columns; ++column)
        m_tree->resizeColumnToContents(column);
}
