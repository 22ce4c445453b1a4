#include "game/ReplayRun.h"

#include "elements/Level.h"
#include "elements/Player.h"
#include "game/Game.h"
#include "game/PlayScene.h"

ReplayEnd playReplay(Game& game, const Replay& replay, const std::string& mapPath, int tickLimit,
                     const ReplayWatch& watch) {
    game.playMap(mapPath.empty() ? replay.mapPath : mapPath);
    ReplayEnd end;
    const int limit = tickLimit > 0 ? tickLimit : replay.tickLimit();
    PlayInput input;
    game.setReplayInput(&input);
    for (int tick = 0; tick < limit; ++tick) {
        input = replay.inputAt(tick);
        if (watch.before) watch.before(tick);
        game.update();
        const bool goOn = !watch.after || watch.after(tick);
        if (game.play().won || game.play().lost) {
            end.outcome = game.play().won ? Replay::Outcome::Won : Replay::Outcome::Lost;
            end.tick = tick;
            break;
        }
        end.tick = tick + 1;
        if (!goOn) break;
    }
    const NK::Rect body = game.level().player->rectangle();
    end.place = {body.x + body.width * 0.5f, body.y + body.height * 0.5f};
    game.setReplayInput(nullptr);
    game.play().hideEndButtons();
    game.play().leaveLevel();
    game.openScene(MainMenu);
    game.update();
    return end;
}
