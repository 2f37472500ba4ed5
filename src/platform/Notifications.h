#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// Desktop notifications. Each is known by a key of the program's own ("alarme3", "minuteur"):
// showing one under a key already shown replaces it. With no notification service there are
// simply none, and nothing is said.
class Notifications {
public:
    virtual ~Notifications() = default;
    // `actions` alternates an action's key and its label. An urgent one stays until acted on.
    virtual void montre(const QString& cle, const QString& resume, const QString& corps, const QStringList& actions,
                        bool urgente = false) = 0;
    // Withdraws notification `cle`; nothing when it is not shown.
    virtual void retire(const QString& cle) = 0;
    // The user chose action `action` of notification `cle`.
    std::function<void(const QString& cle, const QString& action)> surAction;
};
