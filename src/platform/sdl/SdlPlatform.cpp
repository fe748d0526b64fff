// SDL2 backend (filled in next).
