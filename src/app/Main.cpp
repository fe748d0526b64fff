#include <cstdio>
int main() { std::puts("Quendelstrand"); return 0; }
