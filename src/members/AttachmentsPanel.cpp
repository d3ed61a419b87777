#include "members/AttachmentsPanel.h"

#include "members/TfrmAllegaCartella.h"
#include "rules/TextRules.h"
#include "shell/Platform.h"
#include "storage/TSchedaIscritto.h"

#include <QLabel>

#include <memory>

namespace tavorel {

AttachmentsPanel::AttachmentsPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("panAllegati"));
    for (int i = 0; i < 3; ++i) {
        lblFile[i] = new QLabel(this);
        lblFile[i]->setObjectName(QStringLiteral("lblFile%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        lblDesc[i] = new QLabel(this);
        lblDesc[i]->setObjectName(QStringLiteral("lblDesc%1").arg(i + 1, 2, 10, QLatin1Char('0')));
    }
    hide();
}

AttachmentSlots AttachmentsPanel::values() const
{
    AttachmentSlots v;
    for (int i = 0; i < 3; ++i) {
        v.files[i] = lblFile[i]->text();
        v.descriptions[i] = lblDesc[i]->text();
    }
    return v;
}

void AttachmentsPanel::setValues(const AttachmentSlots& v)
{
    for (int i = 0; i < 3; ++i) {
        lblFile[i]->setText(TrimSpazi(v.files[i]));
        lblDesc[i]->setText(TrimSpazi(v.descriptions[i]));
    }
}

void AttachmentsPanel::load(const TSchedaIscritto& record)
{
    setValues(AttachmentSlots::of(record));
}

void AttachmentsPanel::store(TSchedaIscritto& record) const
{
    values().storeInto(record);
}

void AttachmentsPanel::clear()
{
    setValues(AttachmentSlots{});
}

void AttachmentsPanel::open(qint64 recordNo)
{
    auto window = std::make_unique<TfrmAllegaCartella>(this->window());
    window->setMode(TfrmAllegaCartella::kModeScheda);
    window->setRecordNumber(recordNo);
    window->setValues(values());
    if (platform().runModal(window.get()) == QDialog::Accepted)
        setValues(window->values());
}

} // namespace tavorel
