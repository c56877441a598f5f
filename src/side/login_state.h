#pragma once

#include <QString>

// Who this copy plays as, and whether the table has taken its login yet.
class LoginState {
public:
    virtual ~LoginState() = default;
    virtual QString myname() const = 0;
    virtual bool loggedin() const = 0;
};
