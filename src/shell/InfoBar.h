#pragma once

#include <QHash>
#include <QLabel>

namespace tavorel {

// The one-line bar at the bottom of a screen that explains the control under the mouse.
// Moving over a control with a hint shows the hint; moving over the background areas empties the
// bar; nothing else changes it.
class InfoBar : public QLabel {
    Q_OBJECT
public:
    explicit InfoBar(QWidget* parent, const QColor& band);

    void addHint(QWidget* control, const QString& hint);
    void addBackground(QWidget* area);
    QString hintOf(QWidget* control) const { return hints_.value(control); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool overBackground(QWidget* area, QEvent* event) const;

    QHash<QObject*, QString> hints_;
    QList<QObject*> backgrounds_;
};

} // namespace tavorel
