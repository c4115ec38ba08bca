#pragma once
// The legacy reader's crash check, made cheap for fuzzing. The program forks
// a child for every .xls it imports; forking a process under
// AddressSanitizer costs some twenty milliseconds, twenty times the import
// itself. Here one child, forked while the fuzzer is still small, reads each
// file first and answers over a pipe; one that dies is replaced.
namespace fuzz {

// Starts the child and puts it in place of the program's check.
void UseXlsCheckServer();

}  // namespace fuzz
