#pragma once

#include <QWidget>

class QScrollArea;

namespace tavorel {

// A maximised screen: the steel-blue-to-white gradient with the 995 × 692 content panel kept
// centred in the window. On a screen too small for the panel, scroll bars appear instead of the
// panel being cut off.
class WorkspaceScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelWidth = 995;
    static constexpr int kPanelHeight = 692;

    WorkspaceScreen(const QString& name, const QString& caption);

    QWidget* panel() const { return panel_; }
    // Runs each time the screen is shown (not when it comes back from being minimised).
    virtual void FormShow() {}
    // The background areas around the panel (the window and the surface the panel sits on).
    QList<QWidget*> backgroundAreas() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QScrollArea* scroll_;
    QWidget* stage_;
    QWidget* panel_;
};

} // namespace tavorel
