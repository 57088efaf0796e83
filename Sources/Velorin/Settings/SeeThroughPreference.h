#pragma once
// The window's see-through strength as one observable preference over the
// user defaults ("windowSeeThrough", default 0): the General tab's slider
// writes it and the window follows at once, because both read the defaults
// and hear every change of that key, whoever made it.

#include <QObject>

#include "Platform/ObserverToken.h"

namespace velorin {

class Defaults;

class SeeThroughPreference : public QObject {
    Q_OBJECT
public:
    explicit SeeThroughPreference(QObject* parent = nullptr);
    ~SeeThroughPreference() override;

    // The stored value, unclamped (the defaults' coercions apply: absent is 0).
    double stored() const;
    void set(double value);

signals:
    void changed();

private:
    Defaults& defaults_;
    ObserverToken token_ = 0;
};

}  // namespace velorin
