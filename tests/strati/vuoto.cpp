// A program that only links a layer whole: every call that layer makes must
// be answered by the layers below it.
int main() { return 0; }
