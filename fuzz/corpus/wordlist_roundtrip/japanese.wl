_PEL_LORA_LIST_FILE_,1.0
PL_BLOCK,日本の地理;
PL_PRIMITIVE;
日本で一番高い山は?,1,富士山,ふじさん;
PL_INFO,標高3776m\;
静岡県と山梨県;
表示,-1,正解,誤り1,誤り2;
PL_INCLUDE;
地方;
PL_BLOCK_END;

PL_BLOCK,地方;
九州の県を2つ,2,福岡県,佐賀県,長崎県,熊本県;
PL_BLOCK_END;

