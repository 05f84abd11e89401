#include "variants/kbs62d/kbs62d_variant.h"

#include <iostream>

int main()
{
    std::cout << kbs::kbs62d::variant().windowTitle << '\n';
    return 0;
}
