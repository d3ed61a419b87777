#include "checks/CheckWindowLayout.h"

#include "shell/ScreenLook.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSvgWidget>

namespace tavorel {

CheckWindowLayout CheckWindowLayout::build(QDialog* window, const QString& pictureResource, const QString& titleText,
                                           const QString& fieldName, int maxLength)
{
    CheckWindowLayout c{};
    auto* card = look::card(window, QStringLiteral("panControllo"));

    c.picture = new QSvgWidget(pictureResource, card);
    c.picture->setObjectName(QStringLiteral("imgLogo"));
    c.picture->setFixedSize(120, 80);

    c.title = new QLabel(titleText, card);
    c.title->setObjectName(QStringLiteral("lblTitolo"));
    c.title->setFont(QFont(QStringLiteral("Arial"), 12));
    c.title->setAlignment(Qt::AlignCenter);
    c.title->setWordWrap(true);

    c.field = new QLineEdit(card);
    c.field->setObjectName(fieldName);
    QFont fixed(QStringLiteral("Courier New"), 20);
    fixed.setBold(true);
    fixed.setStyleHint(QFont::Monospace);
    c.field->setFont(fixed);
    c.field->setMaxLength(maxLength);

    c.check = look::button(card, QStringLiteral("btnControlla"), QStringLiteral("Controlla"));
    c.check->setMinimumHeight(c.field->sizeHint().height());
    c.close = look::button(window, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));

    auto* entry = new QHBoxLayout;
    entry->setSpacing(10);
    entry->addWidget(c.field, 1);
    entry->addWidget(c.check);

    auto* inCard = new QVBoxLayout(card);
    inCard->setContentsMargins(24, 16, 24, 18);
    inCard->setSpacing(12);
    inCard->addWidget(c.picture, 0, Qt::AlignHCenter);
    inCard->addWidget(c.title);
    inCard->addLayout(entry);

    auto* main = new QVBoxLayout(window);
    main->setContentsMargins(16, 16, 16, 14);
    main->setSpacing(14);
    main->addWidget(card, 1);
    main->addWidget(c.close, 0, Qt::AlignHCenter);
    return c;
}

void CheckWindowLayout::loadWhole(QLineEdit* field, const QString& text)
{
    const int limit = field->maxLength();
    if (text.size() > limit) {
        field->setMaxLength(int(text.size()));
        QObject::connect(field, &QLineEdit::textChanged, field, [field, limit](const QString& now) {
            if (now.size() <= limit)
                field->setMaxLength(limit);
        });
    }
    field->setText(text);
}

} // namespace tavorel
