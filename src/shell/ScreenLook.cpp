#include "shell/ScreenLook.h"

#include "shell/Colors.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

namespace tavorel::look {

void paintGradient(QPainter& painter, const QRect& area)
{
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0.0, colors::kSteelBlue);
    g.setColorAt(1.0, colors::kWhite);
    painter.fillRect(area, g);
}

QFrame* card(QWidget* parent, const QString& name)
{
    auto* f = new QFrame(parent);
    if (!name.isEmpty())
        f->setObjectName(name);
    else
        f->setObjectName(QStringLiteral("card"));
    f->setAttribute(Qt::WA_StyledBackground);
    setCardBorder(f, colors::kPanelBorder);
    return f;
}

void setCardBorder(QFrame* card, const QColor& border)
{
    card->setStyleSheet(QStringLiteral("QFrame#%1 { background: white; border: 1px solid %2; border-radius: 6px; }")
                            .arg(card->objectName(), border.name()));
}

QLabel* label(QWidget* parent, const QString& text, int points, bool bold, const QString& name)
{
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    l->setFont(font(QStringLiteral("Verdana"), points, bold));
    return l;
}

QFont font(const QString& family, int points, bool bold)
{
    QFont f(family);
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

QFrame* framedBox(QWidget* parent, const QString& name)
{
    auto* box = new QFrame(parent);
    box->setObjectName(name);
    box->setAttribute(Qt::WA_StyledBackground);
    box->setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; border: 1px solid %3; border-radius: 6px; }")
                           .arg(name, colors::kBoxFill.name(), colors::kSteelBlue.name()));
    return box;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setCursor(Qt::PointingHandCursor);
    b->setMinimumSize(96, 30);
    return b;
}

void stackWindow(QWidget* window, const QList<QWidget*>& content, const QList<QWidget*>& left,
                 const QList<QWidget*>& right)
{
    auto* buttons = new QHBoxLayout;
    for (QWidget* b : left)
        buttons->addWidget(b);
    buttons->addStretch();
    for (QWidget* b : right)
        buttons->addWidget(b);

    auto* main = new QVBoxLayout(window);
    main->setContentsMargins(16, 16, 16, 14);
    main->setSpacing(14);
    for (int i = 0; i < content.size(); ++i)
        main->addWidget(content[i], i + 1 == content.size() ? 1 : 0);
    main->addLayout(buttons);
}

Qt::WindowFlags fixedWindowFlags(bool dialog)
{
    return (dialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
           Qt::MSWindowsFixedSizeDialogHint;
}

} // namespace tavorel::look
