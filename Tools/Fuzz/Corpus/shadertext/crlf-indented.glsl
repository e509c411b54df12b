  #shadername Indented
#type fragment
void main() {}
#type unknown
#shadername
