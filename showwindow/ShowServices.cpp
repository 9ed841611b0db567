#include "showwindow/ShowServices.h"

#include "startup/AppServices.h"

ShowServices ShowServicesOf(const AppServices& services) {
    return {.dialogs = services.dialogs,
            .sound = services.sound,
            .clock = services.clock,
            .random = services.random,
            .pictures = services.pictures,
            .appFolder = services.appFolder,
            .rescanned = services.rescanned};
}
