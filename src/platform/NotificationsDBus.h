#pragma once
// The freedesktop notification service on the session bus. Every call is asynchronous: a service
// that is slow or stalled never holds the clock. The bus is reached at the first notification,
// not at start.

#include "platform/Notifications.h"

#include <QObject>
#include <map>

class NotificationsDBus : public QObject, public Notifications {
    Q_OBJECT
public:
    void montre(const QString& cle, const QString& resume, const QString& corps, const QStringList& actions,
                bool urgente) override;
    void retire(const QString& cle) override;

private slots:
    void actionInvoquee(uint id, const QString& action);
    void fermee(uint id, uint raison);

private:
    struct Suivi {
        uint id = 0;      // the service's number for it, once it answered
        int envoi = 0;    // how many times it was shown
        int reponse = 0;  // which of those the service answered last
        bool aRetirer = false;
    };
    void relie();
    void ferme(uint id);
    bool relie_ = false;
    std::map<QString, Suivi> suivis_;
};
