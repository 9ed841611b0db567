#include "panel/AccessibleRoles.h"

#include "controls/ColourSample.h"
#include "controls/LinkLabel.h"
#include "panel/PreviewImage.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

// A link: its name is its caption unless given one, and its press action opens it.
class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty())
            return static_cast<QLabel*>(widget())->text();
        return own;
    }
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << pressAction();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            Q_EMIT static_cast<LinkLabel*>(widget())->activated();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* PanelFactory(const QString&, QObject* object) {
    if (auto* link = qobject_cast<LinkLabel*>(object))
        return new LinkAccessible(link);
    if (auto* sample = qobject_cast<ColourSample*>(object))
        return new QAccessibleWidget(sample, QAccessible::Graphic);
    if (auto* preview = qobject_cast<PreviewImage*>(object)) // a picture, also while empty
        return new QAccessibleWidget(preview, QAccessible::Graphic);
    return nullptr;
}

} // namespace

void InstallAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(PanelFactory);
        return true;
    }();
    (void)installed;
}
