#pragma once

#include <QObject>

class QLabel;
class QWidget;

namespace tavorel {

// A link of the help, information and credits screens: an underlined text and the icon beside it.
// The text is dark blue, turns orange while a mouse button is held down on the text or on the
// icon, and dark blue again on release; a release over the control pressed is a click. An icon that
// is a button is also pressed with Enter or Space, and shows the link's text as its tooltip.
class HelpLink : public QObject {
    Q_OBJECT
public:
    HelpLink(QLabel* text, QWidget* icon);

    // An underlined link text in Tahoma 14 point, dark blue, with the hand pointer.
    static QLabel* makeText(QWidget* parent, const QString& name, const QString& text);

signals:
    void clicked(QWidget* source);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void colour(bool pressed);

    QLabel* text_;
    QWidget* icon_;
};

} // namespace tavorel
