#include "app/main_app.h"
#include "variants/kbs18r/kbs18r_variant.h"

int main(int argc, char** argv)
{
    return kbs::runApplication(kbs::kbs18r::variant(), argc, argv);
}
