#pragma once
// Thrown where the program must end at once (a settings fault reported to the user, for example).
// Caught by the load sequence's caller and by the close sequence, never across Qt's event dispatch.

#include <stdexcept>

struct FinProgramme : std::runtime_error {
    explicit FinProgramme(int code = 1) : std::runtime_error("fin du programme"), code(code) {}
    int code;
};
