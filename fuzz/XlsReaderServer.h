#pragma once
// The legacy reader's child, made cheap for fuzzing. The program forks a
// child to read every .xls it imports; forking a process under
// AddressSanitizer costs some twenty milliseconds, twenty times the import
// itself. Here one child, forked while the fuzzer is still small, reads each
// file and sends the sheets back over a pipe; one that dies is replaced. A bad
// memory access AddressSanitizer finds in our code there is a fault.
namespace fuzz {

// Starts the child and puts it in place of the program's.
void UseXlsReaderServer();

}  // namespace fuzz
