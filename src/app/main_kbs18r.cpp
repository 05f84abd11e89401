#include "variants/kbs18r/kbs18r_variant.h"

#include <iostream>

int main()
{
    std::cout << kbs::kbs18r::variant().windowTitle << '\n';
    return 0;
}
