// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Description.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace {

const char* const kTabOrder = "TabOrder";
const char* const kWindowless = "Windowless";

void CollectTabStops(QWidget* parent, QList<QWidget*>& stops)
{
    QList<QWidget*> ordered;
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (const QVariant order = child->property(kTabOrder); order.isValid() && order.toInt() >= 0)
            ordered.append(child);
    std::stable_sort(ordered.begin(), ordered.end(), [](QWidget* a, QWidget* b) {
        return a->property(kTabOrder).toInt() < b->property(kTabOrder).toInt();
    });
    for (QWidget* child : ordered) {
        if (child->focusPolicy() & Qt::TabFocus)
            stops.append(child);
        CollectTabStops(child, stops);
    }
}

}  // namespace

void PlaceControl(QWidget* control, const TDescription& description)
{
    control->setObjectName(description.Name);
    control->setGeometry(description.Bounds());
    control->setProperty(kTabOrder, description.TabOrder);
    if (!description.AccessibleName.isEmpty())
        control->setAccessibleName(description.AccessibleName);
}

void MarkWindowless(QWidget* control)
{
    control->setProperty(kWindowless, true);
}

bool IsWindowless(const QWidget* control)
{
    return control->property(kWindowless).toBool();
}

void ApplyTabOrder(QWidget* window)
{
    QList<QWidget*> stops;
    CollectTabStops(window, stops);
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}
