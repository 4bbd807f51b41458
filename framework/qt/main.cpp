// The process entry point of a framework application.
namespace afx {
int RunApplication(int argc, char** argv);
}

int main(int argc, char** argv)
{
    return afx::RunApplication(argc, argv);
}
