#include "app/main_app.h"
#include "variants/kbs62d/kbs62d_variant.h"

int main(int argc, char** argv)
{
    return kbs::runApplication(kbs::kbs62d::variant(), argc, argv);
}
