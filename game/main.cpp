#include <cstring>
#include <new>

#include "game/Game.h"

int main() {
    // The game object starts from zeroed memory so that every field the
    // constructor does not set reads as zero; run() releases it.
    void* memory = ::operator new(sizeof(Game));
    std::memset(memory, 0, sizeof(Game));
    Game* game = new (memory) Game();
    game->run("Dovra");
    return 0;
}
