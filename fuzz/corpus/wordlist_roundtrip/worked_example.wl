_PEL_LORA_LIST_FILE_,1.0
PL_BLOCK,Animals;
PL_PRIMITIVE;
Say dog\, please,1,dog,inu;
PL_INFO,Note\;
dogs bark;
PL_INCLUDE;
Birds;
PL_BLOCK_END;

PL_BLOCK,Birds;
PL_BLOCK_END;

