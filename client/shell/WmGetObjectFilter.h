#pragma once

#include <QAbstractNativeEventFilter>

// Swallows WM_GETOBJECT (61): accessibility clients asking every window for its object
// model can stall the embedded browser. Leaves the result untouched. Other systems never
// deliver the message, so there it filters nothing.
class WmGetObjectFilter : public QAbstractNativeEventFilter
{
public:
    static constexpr unsigned int kWmGetObject = 61;

    bool nativeEventFilter(const QByteArray &eventType, void *message, long *result) override;
};
