// PLACEHOLDER: replaced by the trace tool.
int main() { return 0; }
