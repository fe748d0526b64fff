/* The baseline of the window benchmarks: a bare SDL program that opens a
 * 1920x1080 window and paints it once. Built with WAIT_FOR_EVENTS it then
 * waits in SDL_WaitEvent (repainting when uncovered) until it is closed;
 * without, it ends at once. */
#include <SDL2/SDL.h>
int main(void) {
    /* The window surface as the trainer uses it: in memory, not through GL. */
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* w = SDL_CreateWindow("bare", 0, 0, 1920, 1080, SDL_WINDOW_BORDERLESS);
    if (!w) return 1;
    SDL_Surface* s = SDL_GetWindowSurface(w);
    SDL_FillRect(s, NULL, SDL_MapRGB(s->format, 0, 0, 170));
    SDL_UpdateWindowSurface(w);
#ifdef WAIT_FOR_EVENTS
    SDL_Event e;
    while (SDL_WaitEvent(&e)) {
        if (e.type == SDL_QUIT) break;
        if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_EXPOSED)
            SDL_UpdateWindowSurface(w);
    }
#endif
    SDL_DestroyWindow(w);
    SDL_Quit();
    return 0;
}
