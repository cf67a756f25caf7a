#include "core/game/app_state.hpp"

namespace fw {

AppState& app_state() {
    static AppState state;
    return state;
}

}  // namespace fw
