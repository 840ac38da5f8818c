// The program entry.
#include "app/application.h"

int main() { return 0; }
