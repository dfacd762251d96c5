// Holds etudiant.txt, in the current folder, as another program may hold a
// file it has open: sharing it with none, so that no other program opens
// it. Meanwhile runs the program named on its command line, with the same
// standard streams, and returns its exit status: tenir PROGRAM.
#include <windows.h>

#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const HANDLE fichier = CreateFileA("etudiant.txt", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (fichier == INVALID_HANDLE_VALUE)
        return 3;
    STARTUPINFOA demarrage{};
    demarrage.cb = sizeof demarrage;
    demarrage.dwFlags = STARTF_USESTDHANDLES;
    for (const auto& [flux, poignee] : {std::pair{STD_INPUT_HANDLE, &demarrage.hStdInput},
                                        {STD_OUTPUT_HANDLE, &demarrage.hStdOutput},
                                        {STD_ERROR_HANDLE, &demarrage.hStdError}}) {
        *poignee = GetStdHandle(flux);
        SetHandleInformation(*poignee, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
    std::string ligne = std::string("\"") + argv[1] + "\"";
    PROCESS_INFORMATION processus{};
    if (!CreateProcessA(nullptr, ligne.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &demarrage, &processus))
        return 4;
    WaitForSingleObject(processus.hProcess, INFINITE);
    DWORD statut = 0;
    GetExitCodeProcess(processus.hProcess, &statut);
    CloseHandle(processus.hThread);
    CloseHandle(processus.hProcess);
    CloseHandle(fichier);
    return static_cast<int>(statut);
}
