#include "platform/MagasinDemarrageReel.h"

#include "platform/MagasinDemarrageRegistre.h"
#include "platform/MagasinDemarrageXdg.h"

std::unique_ptr<MagasinDemarrage> CreeMagasinDemarrage() {
#ifdef Q_OS_WIN
    return std::make_unique<MagasinDemarrageRegistre>();
#else
    return std::make_unique<MagasinDemarrageXdg>();
#endif
}
